; Script.exe stand-in as a DOS program, for running the compiler through DOSBox.
; A plain MZ executable (nasm -f bin): it prints two lines and writes
; SCRIPT.DAT and ENGLISH.DAT in the current folder, whatever the script holds.
bits 16

section header progbits start=0
        db 'MZ'
        dw file_size % 512              ; bytes in the last page
        dw (file_size + 511) / 512      ; pages
        dw 0                            ; relocations
        dw 2                            ; header paragraphs (32 bytes)
        dw 0x1000                       ; extra paragraphs needed: 64 KB for the stack
        dw 0xFFFF                       ; extra paragraphs wanted
        dw 0                            ; SS, from the program's start
        dw 0xFFFE                       ; SP
        dw 0                            ; checksum
        dw start                        ; IP
        dw 0                            ; CS, from the program's start
        dw 0x1C                         ; relocation table
        dw 0                            ; overlay
        times 32 - ($ - $$) db 0

section code progbits follows=header vstart=0
start:
        push cs
        pop ds
        mov dx, banner
        call print
        mov dx, script_dat
        call write_file
        mov dx, english_dat
        call write_file
        mov dx, done
        call print
        mov ax, 0x4C00
        int 0x21

print:                                  ; dx: '$'-terminated text
        mov ah, 0x09
        int 0x21
        ret

write_file:                             ; dx: zero-terminated name
        mov ah, 0x3C
        xor cx, cx
        int 0x21
        jc .failed
        mov bx, ax
        mov ah, 0x40
        mov cx, content_size
        mov dx, content
        int 0x21
        mov ah, 0x3E
        int 0x21
        ret
.failed:
        mov dx, failed
        jmp print

banner      db 'Script.exe DOS stand-in (Tessark tests): compiling SCRIPT.TXT', 13, 10, '$'
done        db 'SCRIPT.DAT and ENGLISH.DAT written', 13, 10, '$'
failed      db 'Error: cannot write a file', 13, 10, '$'
script_dat  db 'SCRIPT.DAT', 0
english_dat db 'ENGLISH.DAT', 0
content     db 'TESSARK-STANDIN DOS.DAT 1', 13, 10
content_size equ $ - content

file_size equ 32 + ($ - $$)
