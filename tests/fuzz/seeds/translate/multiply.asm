; Multiplication by shift and add: HL = D * E.
; For each bit of the multiplier E, from the lowest, the multiplicand (in BC,
; doubled on every step) is added to the product when the bit is 1.
        MVI  D,25       ; multiplicand
        MVI  E,13       ; multiplier
        LXI  H,0        ; product
        MVI  B,0
        MOV  C,D        ; BC = multiplicand, shifted left each round
        MVI  A,8        ; eight bits in the multiplier
        STA  COUNT
BIT:    MOV  A,E
        ANI  1          ; lowest bit of the multiplier
        JZ   SKIP
        DAD  B          ; add the shifted multiplicand
SKIP:   MOV  A,E        ; multiplier >> 1
        ANI  0FEH       ; clear bit 0 so the shift brings in nothing unwanted
        RRC
        MOV  E,A
        MOV  A,C        ; BC << 1
        ADD  A
        MOV  C,A
        MOV  A,B
        JNC  NOCAR
        ADD  A
        INR  A
        JMP  STORE
NOCAR:  ADD  A
STORE:  MOV  B,A
        LDA  COUNT
        DCR  A
        STA  COUNT
        JNZ  BIT
        SHLD RESULT     ; 25 * 13 = 325 = 0145H
        HLT
COUNT:  DB   0
RESULT: DW   0
