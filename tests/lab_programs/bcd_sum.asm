# ORG 0000H
; Sum of a table of BCD numbers at 2060H; the count is in COUNT
COUNT   EQU 05H
        LXI H,2060H
        MVI C,COUNT
        MVI A,00
NEXT:   ADD M
        DAA
        INX H
        DCR C
        JNZ NEXT
        ANI FFH
        STA 2070H
        HLT
