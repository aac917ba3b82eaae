; Bubble sort of a table of bytes into ascending order.
; Each pass compares neighbours and swaps them when they are out of order; the
; sort ends after a pass without a swap.
PASS:   LXI  H,TABLE
        MVI  C,7        ; comparisons in a pass: length - 1
        MVI  D,0        ; D = 1 when this pass swapped something
COMP:   MOV  A,M        ; A = this value
        INX  H
        MOV  B,M        ; B = the next value
        CMP  B
        JC   NOSWAP     ; already in order (A < B)
        JZ   NOSWAP     ; equal values stay
        MOV  M,A        ; swap the two values
        DCX  H
        MOV  M,B
        INX  H
        MVI  D,1
NOSWAP: DCR  C
        JNZ  COMP
        MOV  A,D
        ORA  A
        JNZ  PASS       ; another pass while anything moved
        HLT
TABLE:  DB   64,25,12,22,11,90,3,47
