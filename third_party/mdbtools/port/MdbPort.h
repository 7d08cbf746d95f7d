/* Port layer for building libmdb where the C library lacks what it needs.
 * Part of this project, not of mdbtools. */
#ifndef TONGSHU_MDB_PORT_H
#define TONGSHU_MDB_PORT_H

#include <stddef.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifdef _WIN32
/* A read-write stream over a private copy of the bytes: a temporary file that
 * nobody else may open and that is deleted when the stream is closed. Writes
 * do not reach `buffer`; libmdb opens buffers read-only. */
FILE *mdb_port_fmemopen(void *buffer, size_t size, const char *mode);
#define fmemopen mdb_port_fmemopen
#endif

#ifdef __cplusplus
}
#endif

#endif
