; The decimal numbers of the system services: the area of a circle of radius 2.5.
; RST 5 with A = 2 turns a text into a packed number (four cells), RST 2 with an
; operator letter in A computes (HL) := (HL) op (DE), and RST 7 with B = 0 writes
; a text (A = 0), a number in exponent form (A = 1) or a whole number (A = 2) to
; the text screen. Character 13 starts a new line there.
        LXI  D,RTEXT
        LXI  H,RADIUS
        MVI  A,2
        RST  5          ; RADIUS = 2.5
        LXI  D,PTEXT
        LXI  H,AREA
        RST  5          ; AREA = 3.1416
        LXI  D,RADIUS
        MVI  A,'*'
        RST  2          ; AREA = AREA * RADIUS
        RST  2          ; and once more: 19.635
        MVI  B,0
        LXI  H,TITLE
        MVI  A,0
        RST  7
        LXI  H,AREA
        MVI  A,1
        RST  7          ; 1.963500e+001
        LXI  H,ABOUT
        MVI  A,0
        RST  7
        LXI  H,AREA
        MVI  A,2
        RST  7          ; 19, the whole part
        HLT
RTEXT:  DB   '2.5',0
PTEXT:  DB   '3.1416',0
TITLE:  DB   'Area of a circle of radius 2.5',13,'as stored = ',0
ABOUT:  DB   13,'whole part = ',0
RADIUS: DS   4
AREA:   DS   4
