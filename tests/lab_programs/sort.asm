// Bubble sort of 5 numbers at 2040H, ascending
        MVI B,0x04          // passes
OUTERLOOP: LXI H,2040H
        MVI C,0x04          // comparisons per pass
INNERLOOP: MOV A,M
        INX H
        CMP M
        JC NOSWAP           // already in order
        MOV D,M
        MOV M,A
        DCX H
        MOV M,D
        INX H
NOSWAP: DCR C
        JNZ INNERLOOP
        DCR B
        JNZ OUTERLOOP
        HLT
