/* A disk that fails on purpose, for the end-to-end cases: preloaded into the program, it fails
 * chosen file calls on paths under chosen folders, only while the arm file exists.
 *   FAULT_ARM    the arm file
 *   FAULT_DIRS   folders, separated by ':'
 *   FAULT_CALLS  which calls: open (for writing), write, fsync (fsync and fdatasync), rename,
 *                link, unlink; separated by ','
 *   FAULT_ERRNO  ENOSPC (the default) or EIO
 *   FAULT_NTH    fail only the Nth matching call after the arm file appeared (0: every one)
 *   FAULT_RATE   fail each matching call with this chance in percent, from FAULT_SEED
 * Every failure is written to FAULT_LOG, when set, as "call path". */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int armed_calls, last_armed;
static unsigned seed;

static int listed(const char* list, const char* word) {
    size_t n = strlen(word);
    for (const char* at = list; at && *at;) {
        const char* end = strchr(at, ',');
        size_t len = end ? (size_t)(end - at) : strlen(at);
        if (len == n && strncmp(at, word, n) == 0)
            return 1;
        at = end ? end + 1 : NULL;
    }
    return 0;
}

static int under(const char* path) {
    const char* dirs = getenv("FAULT_DIRS");
    if (!dirs || !path)
        return 0;
    for (const char* at = dirs; *at;) {
        const char* end = strchr(at, ':');
        size_t len = end ? (size_t)(end - at) : strlen(at);
        if (len && strncmp(path, at, len) == 0 && (path[len] == '/' || path[len] == 0))
            return 1;
        if (!end)
            break;
        at = end + 1;
    }
    return 0;
}

static char fd_path[4096];

static int fd_under(int fd) {
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, fd_path, sizeof fd_path - 1);
    if (n <= 0)
        return 0;
    fd_path[n] = 0;
    return under(fd_path);
}

/* Whether this call fails; sets errno when it does. */
static int fails(const char* call, int matches, const char* what) {
    const char* arm = getenv("FAULT_ARM");
    if (!matches || !arm || !listed(getenv("FAULT_CALLS"), call))
        return 0;
    int saved = errno;
    int is_armed = access(arm, F_OK) == 0;
    errno = saved;
    if (!is_armed) {
        last_armed = 0;
        return 0;
    }
    if (!last_armed) {
        last_armed = 1;
        armed_calls = 0;
        seed = (unsigned)atoi(getenv("FAULT_SEED") ? getenv("FAULT_SEED") : "1");
    }
    ++armed_calls;
    int nth = atoi(getenv("FAULT_NTH") ? getenv("FAULT_NTH") : "0");
    int rate = atoi(getenv("FAULT_RATE") ? getenv("FAULT_RATE") : "0");
    int fail = rate > 0 ? (int)(rand_r(&seed) % 100) < rate : nth == 0 || armed_calls == nth;
    if (!fail)
        return 0;
    const char* log = getenv("FAULT_LOG");
    if (log) {
        FILE* out = fopen(log, "a");
        if (out) {
            fprintf(out, "%s %s\n", call, what ? what : "");
            fclose(out);
        }
    }
    const char* name = getenv("FAULT_ERRNO");
    errno = name && strcmp(name, "EIO") == 0 ? EIO : ENOSPC;
    return 1;
}

#define NEXT(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

static int for_writing(int flags) {
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
}

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    mode_t mode = va_arg(args, mode_t);
    va_end(args);
    if (fails("open", for_writing(flags) && under(path), path))
        return -1;
    return NEXT(open)(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    mode_t mode = va_arg(args, mode_t);
    va_end(args);
    if (fails("open", for_writing(flags) && under(path), path))
        return -1;
    return NEXT(open64)(path, flags, mode);
}

int openat(int dir, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    mode_t mode = va_arg(args, mode_t);
    va_end(args);
    if (fails("open", for_writing(flags) && under(path), path))
        return -1;
    return NEXT(openat)(dir, path, flags, mode);
}

ssize_t write(int fd, const void* data, size_t size) {
    if (fails("write", fd > 2 && fd_under(fd), fd_path))
        return -1;
    return NEXT(write)(fd, data, size);
}

int fsync(int fd) {
    if (fails("fsync", fd_under(fd), fd_path))
        return -1;
    return NEXT(fsync)(fd);
}

int fdatasync(int fd) {
    if (fails("fsync", fd_under(fd), fd_path))
        return -1;
    return NEXT(fdatasync)(fd);
}

int rename(const char* from, const char* to) {
    if (fails("rename", under(to), to))
        return -1;
    return NEXT(rename)(from, to);
}

int renameat2(int fromdir, const char* from, int todir, const char* to, unsigned flags) {
    if (fails("rename", under(to), to))
        return -1;
    return NEXT(renameat2)(fromdir, from, todir, to, flags);
}

int link(const char* from, const char* to) {
    if (fails("link", under(to), to))
        return -1;
    return NEXT(link)(from, to);
}

int unlink(const char* path) {
    if (fails("unlink", under(path), path))
        return -1;
    return NEXT(unlink)(path);
}
