; Moves, loads, stores and register pairs, run here and in z80ex.
        lxi  h,2000h
        lxi  d,1234h
        lxi  b,0ffh
        mvi  m,77h
        mov  a,m
        mov  e,a
        inx  b
        dcx  d
        dad  d
        dad  b
        shld 3000h
        xchg
        lhld 3000h
        stax b
        ldax d
        sta  3002h
        lda  3000h
        xthl
        push h
        pop  b
        lxi  h,3100h
        sphl
        push d
        push b
        pop  d
        pop  h
        lxi  sp,3ffeh
        hlt
