; Largest of two numbers, written for a kit that reads numbers as hexadecimal
        LXI H,2050
        MOV A,M
        INX H
        CMP M
        JNC BIGGER
        MOV A,M
BIGGER: STA 205A
        MVI B,3E
        HLT
