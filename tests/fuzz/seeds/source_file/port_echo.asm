; Port echo: each of the input ports 0 to 3 is copied to the output port eight
; places higher, with its bits inverted on the way.
        IN   0
        CMA
        OUT  8
        IN   1
        CMA
        OUT  9
        IN   2
        CMA
        OUT  10
        IN   3
        CMA
        OUT  11
        HLT
