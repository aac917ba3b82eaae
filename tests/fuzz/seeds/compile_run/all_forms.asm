START:  NOP
        MOV  B,B
        MOV  B,C
        MOV  B,D
        MOV  B,E
        MOV  B,H
        MOV  B,L
        MOV  B,M
        MOV  B,A
        MOV  C,B
        MOV  C,C
        MOV  C,D
        MOV  C,E
        MOV  C,H
        MOV  C,L
        MOV  C,M
        MOV  C,A
        MOV  D,B
        MOV  D,C
        MOV  D,D
        MOV  D,E
        MOV  D,H
        MOV  D,L
        MOV  D,M
        MOV  D,A
        MOV  E,B
        MOV  E,C
        MOV  E,D
        MOV  E,E
        MOV  E,H
        MOV  E,L
        MOV  E,M
        MOV  E,A
        MOV  H,B
        MOV  H,C
        MOV  H,D
        MOV  H,E
        MOV  H,H
        MOV  H,L
        MOV  H,M
        MOV  H,A
        MOV  L,B
        MOV  L,C
        MOV  L,D
        MOV  L,E
        MOV  L,H
        MOV  L,L
        MOV  L,M
        MOV  L,A
        MOV  M,B
        MOV  M,C
        MOV  M,D
        MOV  M,E
        MOV  M,H
        MOV  M,L
        MOV  M,A
        MOV  A,B
        MOV  A,C
        MOV  A,D
        MOV  A,E
        MOV  A,H
        MOV  A,L
        MOV  A,M
        MOV  A,A
        MVI  B,0
        MVI  C,37
        MVI  D,74
        MVI  E,111
        MVI  H,148
        MVI  L,185
        MVI  M,222
        MVI  A,3
        LXI  B,1000
        LXI  D,5097
        LXI  H,9194
        LXI  SP,13291
        STAX B
        STAX D
        LDAX B
        LDAX D
        INX  B
        INX  D
        INX  H
        INX  SP
        DCX  B
        DCX  D
        DCX  H
        DCX  SP
        DAD  B
        DAD  D
        DAD  H
        DAD  SP
        INR  B
        INR  C
        INR  D
        INR  E
        INR  H
        INR  L
        INR  M
        INR  A
        DCR  B
        DCR  C
        DCR  D
        DCR  E
        DCR  H
        DCR  L
        DCR  M
        DCR  A
        ADD  B
        ADD  C
        ADD  D
        ADD  E
        ADD  H
        ADD  L
        ADD  M
        ADD  A
        ADC  B
        ADC  C
        ADC  D
        ADC  E
        ADC  H
        ADC  L
        ADC  M
        ADC  A
        SUB  B
        SUB  C
        SUB  D
        SUB  E
        SUB  H
        SUB  L
        SUB  M
        SUB  A
        SBB  B
        SBB  C
        SBB  D
        SBB  E
        SBB  H
        SBB  L
        SBB  M
        SBB  A
        ANA  B
        ANA  C
        ANA  D
        ANA  E
        ANA  H
        ANA  L
        ANA  M
        ANA  A
        XRA  B
        XRA  C
        XRA  D
        XRA  E
        XRA  H
        XRA  L
        XRA  M
        XRA  A
        ORA  B
        ORA  C
        ORA  D
        ORA  E
        ORA  H
        ORA  L
        ORA  M
        ORA  A
        CMP  B
        CMP  C
        CMP  D
        CMP  E
        CMP  H
        CMP  L
        CMP  M
        CMP  A
        ADI  7
        ACI  38
        SUI  69
        SBI  100
        ANI  131
        XRI  162
        ORI  193
        CPI  224
        RLC
        RRC
        RAL
        RAR
        DAA
        CMA
        STC
        CMC
        LDA 300
        STA 1411
        LHLD 2522
        SHLD 3633
TARGET: JMP  START
        JNZ TARGET
        JZ  TARGET
        JNC TARGET
        JC  TARGET
        JPO TARGET
        JPE TARGET
        JP  TARGET
        JM  TARGET
        CALL START
        CNZ TARGET
        CZ  TARGET
        CNC TARGET
        CC  TARGET
        CPO TARGET
        CPE TARGET
        CP  TARGET
        CM  TARGET
        RET
        RNZ
        RZ
        RNC
        RC
        RPO
        RPE
        RP
        RM
        PUSH B
        PUSH D
        PUSH H
        PUSH PSW
        POP B
        POP D
        POP H
        POP PSW
        IN   7
        OUT  200
        EI
        DI
        XCHG
        XTHL
        SPHL
        PCHL
        HLT
        RST  0
        RST  1
        RST  2
        RST  3
        RST  4
        RST  5
        RST  6
        RST  7
