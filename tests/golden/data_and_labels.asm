; Directives, number forms and labels: the parts of a program that a Z-80
; assembler reads differently from instructions.
        ORG  100H
COUNT:  EQU  1234H
LIMIT:  EQU  20
START:  LXI  H,COUNT
        LXI  D,LIMIT
        LXI  B,0FFFFH
        LXI  SP,3FFEH
        MVI  A,0FFH
        MVI  B,5H
        MVI  C,10101010B
        MVI  D,'x'
        MVI  E,255
        MVI  M,0
        CPI  'Q'
        ADI  1B
        LXI  H,MSG
        LHLD TABLE
        SHLD TABLE
        LDA  FLAG
        STA  FLAG
AGAIN:
        DCR  B
        JNZ  AGAIN
        CALL SUB1
        JMP  DONE
SUB1:   RET
MSG:    DB   'Hello, world',0DH,10,0
FLAG:   DB   0
BITS:   DB   1,2,11110000B,7FH,'a'
TABLE:  DW   MSG
        DW   1234
        DW   0ABCDH
        DS   4
DONE:
        HLT
        END
