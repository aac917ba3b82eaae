; Logic, counting and conditional flow, run here and in z80ex.
        mvi  b,20
        mvi  c,0
        mvi  d,0
loop:   mov  a,b
        ani  3
        jz   four
        inr  c
        jmp  next
four:   inr  d
next:   mov  a,c
        xri  55h
        ora  d
        mov  e,a
        mov  a,b
        cpi  10
        cc   small
        dcr  b
        jnz  loop
        mvi  a,0f0h
        rlc
        rrc
        rrc
        cma
        stc
        cmc
        jc   never
        hlt
never:  mvi  a,1
        hlt
small:  push b
        mov  a,l
        adi  3
        mov  l,a
        pop  b
        rnc
        ret
