; Sum of a table of bytes.
; The sum of the six values below (10+20+30+40+50+60 = 210) ends in A and in SUM.
        LXI  H,TABLE    ; HL points at the first value
        MVI  B,6        ; B counts the values still to add
        MVI  A,0        ; the running sum
NEXT:   ADD  M          ; A = A + value at HL
        INX  H
        DCR  B
        JNZ  NEXT
        STA  SUM
        HLT
TABLE:  DB   10,20,30,40,50,60
SUM:    DB   0
