; Adding two packed BCD numbers of two bytes each: 1234 + 5678 = 6912.
; DAA turns the binary sum of two BCD bytes back into BCD and sets the carry
; when the decimal result does not fit the byte.
        LDA  XLOW       ; 34
        MOV  B,A
        LDA  YLOW       ; 78
        ADD  B
        DAA             ; 34 + 78 = 112: A = 12, carry 1
        STA  ZLOW
        MVI  C,0
        JNC  HIGH
        MVI  C,1        ; the decimal carry into the next byte
HIGH:   LDA  XHIGH      ; 12
        MOV  B,A
        LDA  YHIGH      ; 56
        ADD  B
        ADD  C          ; plus the carry
        DAA             ; 12 + 56 + 1 = 69
        STA  ZHIGH
        HLT
XLOW:   DB   34H        ; X = 1234
XHIGH:  DB   12H
YLOW:   DB   78H        ; Y = 5678
YHIGH:  DB   56H
ZLOW:   DB   0          ; Z = X + Y = 6912
ZHIGH:  DB   0
