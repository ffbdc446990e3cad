/* Preloaded into the program, makes the disk under one folder look full:
 * write() and the flushes to the disk fail with ENOSPC for regular files
 * below $TINTARA_FULL_DISK_DIR. $TINTARA_FULL_DISK_FAILS says which fail:
 * "write" or "sync". Everything else goes through untouched. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static int OnFullDisk(int fd, const char* operation) {
  const char* folder = getenv("TINTARA_FULL_DISK_DIR");
  const char* fails = getenv("TINTARA_FULL_DISK_FAILS");
  if (folder == NULL || fails == NULL || strcmp(fails, operation) != 0) return 0;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  char link[64];
  char path[4096];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t length = readlink(link, path, sizeof path - 1);
  if (length <= 0) return 0;
  path[length] = '\0';
  const size_t prefix = strlen(folder);
  return strncmp(path, folder, prefix) == 0 && path[prefix] == '/';
}

ssize_t write(int fd, const void* buffer, size_t count) {
  static ssize_t (*real_write)(int, const void*, size_t);
  /* The object-to-function conversion POSIX prescribes for dlsym. */
  if (real_write == NULL) *(void**)&real_write = dlsym(RTLD_NEXT, "write");
  if (OnFullDisk(fd, "write")) {
    errno = ENOSPC;
    return -1;
  }
  return real_write(fd, buffer, count);
}

int fsync(int fd) {
  static int (*real_fsync)(int);
  if (real_fsync == NULL) *(void**)&real_fsync = dlsym(RTLD_NEXT, "fsync");
  if (OnFullDisk(fd, "sync")) {
    errno = ENOSPC;
    return -1;
  }
  return real_fsync(fd);
}

int fdatasync(int fd) {
  static int (*real_fdatasync)(int);
  if (real_fdatasync == NULL) *(void**)&real_fdatasync = dlsym(RTLD_NEXT, "fdatasync");
  if (OnFullDisk(fd, "sync")) {
    errno = ENOSPC;
    return -1;
  }
  return real_fdatasync(fd);
}
