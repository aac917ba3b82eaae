; Block move: 10 bytes from 8050H to 8060H (the kit's user RAM)
        LXI H,8050H
        LXI D,8060H
        MVI C,10
LOOP:   MOV A,M
        STAX D
        INX H
        INX D
        DCR C
        JNZ LOOP
        HLT
