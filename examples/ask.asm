; Value input: RST 7 with B = 1 opens the "Input value" box, which shows the text
; screen's last line as its question. A = 1 asks for a number and stores it packed
; at HL (four cells); A = 0 asks for a text and stores it at HL, ended by a 0 cell.
; A number that is not one (12abc, 1e3) is refused and asked for again.
        MVI  B,0
        LXI  H,ASKNUM
        MVI  A,0
        RST  7          ; How many apples?
        MVI  B,1
        LXI  H,COUNT
        MVI  A,1
        RST  7          ; COUNT = the number typed
        MVI  B,0
        LXI  H,ASKNAM
        MVI  A,0
        RST  7          ; Your name?
        MVI  B,1
        LXI  H,NAME
        RST  7          ; NAME = the text typed
        MVI  B,0
        LXI  H,THANKS
        RST  7
        LXI  H,NAME
        RST  7
        LXI  H,GOT
        RST  7
        LXI  H,COUNT
        MVI  A,2
        RST  7          ; the number, whole
        LXI  H,APPLES
        MVI  A,0
        RST  7
        HLT
ASKNUM: DB   'How many apples?',13,0
ASKNAM: DB   'Your name?',13,0
THANKS: DB   'Thank you, ',0
GOT:    DB   ': ',0
APPLES: DB   ' apples.',13,0
COUNT:  DS   4
NAME:   DS   80
