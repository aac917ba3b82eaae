loop:   dcr a
        jnz loop
        hlt
