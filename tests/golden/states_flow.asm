; Jumps, calls and returns taken and not; each comment gives the 8080's states,
; then the 8085's (tests/golden/cases/states.cases).
  xra a         ; 4 4, Z=1
  jz t1         ; 10 10 taken
  nop
t1: jnz t1      ; 10 7 not taken
  cz sub1       ; 17 18 taken, then 5 6 and 11 12 in sub1
  cnz sub1      ; 11 9 not taken
  call sub2     ; 17 18, then 10 10
  lxi h,back    ; 10 10
  pchl          ; 5 6
back: rst 1     ; 11 12: a service counts as the RST it is
  hlt           ; 7 5
sub1: rnz       ; 5 6 not taken
  rz            ; 11 12 taken
sub2: ret
