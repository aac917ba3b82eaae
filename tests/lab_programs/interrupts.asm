; Read the interrupt mask, then enable RST 7.5
        RIM
        ANI 0FH
        STA 2050H
        MVI A,0BH
        SIM
        HLT
