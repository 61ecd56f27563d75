/* libquillet.so's resource section: the directory resource_blob_writer wrote at build
 * time (QUILLET_RESOURCE_BLOB names the file). Not allocated: nothing at run time reads
 * it from memory; LoadTypeLib and verinfo read it from the file. */
        .section .oleres, "", @progbits
        .balign 4
        .incbin QUILLET_RESOURCE_BLOB

/* No executable stack. */
        .section .note.GNU-stack, "", @progbits
