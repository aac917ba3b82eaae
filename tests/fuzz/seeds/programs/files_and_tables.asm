; Makes a table, appends a record, fills a field, lists it and copies it; then
; writes a host file, reads its size and deletes it.
        LXI  H,LIST
        MVI  A,'M'
        RST  4
        LXI  H,TNAME
        MVI  A,'O'
        RST  4
        MVI  A,'A'
        RST  4
        LXI  D,FNAME
        LXI  H,VALUE
        MVI  A,'R'
        RST  4
        LXI  H,0
        MVI  A,'G'
        RST  4
        LXI  B,1
        MVI  A,'B'
        RST  4
        LXI  D,FNAME
        LXI  H,BUF
        MVI  A,'F'
        RST  4
        MVI  A,'C'
        RST  4
        LXI  H,HNAME
        MVI  A,'O'
        RST  6
        LXI  H,VALUE
        LXI  D,4
        MVI  A,'W'
        RST  6
        LXI  H,BUF
        MVI  A,'F'
        RST  6
        MVI  A,'C'
        RST  6
        LXI  H,HNAME
        MVI  A,'D'
        RST  6
        HLT
LIST:   DB   'T.DBF',0,'X',0,'ZZZZZZZZZ','C',8,0,'NAME',0,'ZZZZZZ','C',10,0,9,0,0
TNAME:  DB   'T.DBF',0
FNAME:  DB   'NAME',0
VALUE:  DB   'ADA',0
HNAME:  DB   'T.DBF',0
BUF:    DS   40
