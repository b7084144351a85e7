# A 32-bit x86 Linux program of a few instructions, built with binutils
# alone: it prints the machine that uname reports to it and exits 0. A
# kernel with 32-bit support reports its own machine (x86_64); qemu-i386
# reports the machine it emulates (i686); a kernel without 32-bit support
# does not start it at all.
        .section .bss
        .lcomm  uts, 390                # six fields of 65 bytes
        .section .text
        .globl  _start
_start:
        movl    $122, %eax              # newuname
        movl    $uts, %ebx
        int     $0x80
        leal    uts+260, %ecx           # the machine field
        xorl    %edx, %edx
1:      cmpb    $0, (%ecx,%edx)
        je      2f
        incl    %edx
        jmp     1b
2:      movb    $10, (%ecx,%edx)        # a newline after it
        incl    %edx
        movl    $4, %eax                # write(1, machine, length)
        movl    $1, %ebx
        int     $0x80
        movl    $1, %eax                # exit(0)
        xorl    %ebx, %ebx
        int     $0x80
