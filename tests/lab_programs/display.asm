; Show the sum of 2050H and 2051H on the kit's data field
        LDA 2050H
        MOV B,A
        LDA 2051H
        ADD B
        STA 2052H
        CALL 06D3H      ; the kit's display routine
        HLT
