; One line of every mnemonic in the order of the instruction table, each with a
; typical operand: every translation template, for both targets.
        ORG  100H
HERE:   NOP
        HLT
        LXI  H,1234H
        STAX D
        INX  D
        INR  C
        DCR  C
        MVI  C,12H
        RLC
        DAD  D
        LDAX D
        DCX  D
        RRC
        RAL
        RAR
        SHLD HERE
        DAA
        LHLD HERE
        CMA
        STA  HERE
        STC
        LDA  HERE
        CMC
        MOV  A,B
        ADD  C
        ADC  C
        SUB  C
        SBB  C
        ANA  C
        CPI  12H
        XRA  C
        ORA  C
        CMP  C
        POP  D
        JMP  HERE
        JZ   HERE
        JNZ  HERE
        JC   HERE
        JNC  HERE
        JPO  HERE
        JPE  HERE
        JP   HERE
        JM   HERE
        CALL HERE
        CZ   HERE
        CNZ  HERE
        CC   HERE
        CNC  HERE
        CPO  HERE
        CPE  HERE
        CP   HERE
        CM   HERE
        PUSH D
        ADI  12H
        RST  2
        RET
        RZ
        RNZ
        RC
        RNC
        RPO
        RPE
        RP
        RM
        ACI  12H
        OUT  12H
        SUI  12H
        IN   12H
        SBI  12H
        XTHL
        ANI  12H
        PCHL
        XCHG
        XRI  12H
        DI
        ORI  12H
        SPHL
        EI
FIVE:   EQU  5
        DB   1,'A'
        DW   1234H
        DS   2
        END
