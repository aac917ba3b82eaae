; A subroutine that keeps the caller's registers: it saves them with PUSH,
; uses them freely, and restores them with POP before it returns.
        MVI  B,1
        MVI  C,2
        MVI  D,3
        MVI  E,4
        LXI  H,DATA
        CALL TOTAL      ; A = sum of the 4 bytes at HL
        STA  RESULT
        HLT
TOTAL:  PUSH B          ; save BC and DE: the caller still needs them
        PUSH D
        MVI  B,4
        MVI  A,0
ADDNXT: ADD  M
        INX  H
        DCR  B
        JNZ  ADDNXT
        POP  D          ; restore in the opposite order
        POP  B
        RET
DATA:   DB   5,6,7,8
RESULT: DB   0
