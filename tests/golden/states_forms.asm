; Every data, arithmetic and stack form once; each comment gives the 8080's
; states, then the 8085's (tests/golden/cases/states.cases).
buf:    equ 2000h
; a comment
  lxi h,buf     ; 10 10
  mvi m,5       ; 10 10
  mov a,m       ; 7 7
  mov m,a       ; 7 7
  mov b,a       ; 5 4
  mvi c,1       ; 7 7
here:
  inr m         ; 10 10
  dcr c         ; 5 4
  add m         ; 7 7
  adi 1         ; 7 7
  sta 2001h     ; 13 13
  lda 2001h     ; 13 13
  shld 2002h    ; 16 16
  lhld 2002h    ; 16 16
  xchg          ; 4 4
  ldax d        ; 7 7
  stax d        ; 7 7
  inx h         ; 5 6
  dcx h         ; 5 6
  dad b         ; 10 10
  push psw      ; 11 12
  pop b         ; 10 10
  xthl          ; 18 16
  lxi sp,3000h  ; 10 10
  lxi h,3000h   ; 10 10
  sphl          ; 5 6
  in 1          ; 10 10
  out 2         ; 10 10
  ei            ; 4 4
  di
  nop
  daa
  cma
  stc
  cmc
  rlc
  rrc
  ral
  rar
  hlt           ; 7 5
  db 1,2
  ds 3
