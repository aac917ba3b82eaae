; Every kind of line the translation templates treat differently. Translated with
; verdin-cli, it must give forms.z80 and forms.i86 exactly.
; STAX and LDAX name the whole pair on the Z-80, which has no "LD (B),A"; a
; label-only line keeps its label, or every jump to it would name an undeclared one.
        ORG  100H
SIZE:   EQU  1234H
START:  MOV  A,B
        MVI  M,5
        ADD  B
        CMP  M
        LXI  SP,100H
        DAD  D
        PUSH PSW
        POP  H
        STAX B
        STAX D
        LDAX B
        LDAX D
LOOP:   JNZ  LOOP
        JMP  LOOP
        RET
        RZ
        CNC  LOOP
        CALL LOOP
        JPE  LOOP
        RM
        RST  0
        RST  1
        RST  2
        RST  3
        RST  7
X:      NOP      ; a comment is not translated
DONE:
        JMP  DONE
MSG:    DB   'Hi, you',0DH,0
        DW   MSG
        DS   4
        END
}
        HLT
