; Multiplication of two 8-bit numbers by repeated addition
; Input: 2050H and 2051H   Output: 2052H

        LDA 2050H       ; first number
        MOV B,A
        LDA 2051H       ; second number
        MOV C,A

        MVI A,00        ; clear the product
MULTIPLY: ADD B
        DCR C
        JNZ MULTIPLY

        STA 2052H       ; store the product
        HLT
