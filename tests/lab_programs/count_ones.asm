; Count the 1 bits of the byte at 2050H, result at 2051H
        LDA 2050H
        MVI B,8
        MVI C,0
        CALL COUNT
        MOV A,C
        STA 2051H
        RST 1
COUNT:  RAR
        JNC SKIP
        INR C
SKIP:   DCR B
        JNZ COUNT
        RET
