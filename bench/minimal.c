/* The least work the structure check can do: list each folder, and per file
   open, size, read the 12-byte header and every chunk header at its
   position, close. No existence test, no extension rule, no record, no
   report: the floor that brevolt-scan is measured against.

   minimal ROOT   (walks ROOT/<folder>/<file>, two levels, as the library) */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

static unsigned long damaged;

static uint32_t le32(const unsigned char *p) {
  return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24;
}

static void check(const char *path) {
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  struct stat st;
  fstat(fd, &st);
  unsigned char h[12];
  int64_t size = st.st_size, pos = 12;
  if (size < 34 || pread(fd, h, 12, 0) != 12 || 8 + (int64_t)le32(h + 4) > size) {
    damaged++;
  } else {
    while (pos + 8 < size) {
      if (pread(fd, h, 8, pos) != 8) break;
      int64_t n = le32(h + 4);
      if (pos + 8 + n > size) { damaged++; break; }
      pos += 8 + n + (n & 1);
    }
  }
  close(fd);
}

static void walk(const char *dir, int depth) {
  DIR *d = opendir(dir);
  if (!d) return;
  struct dirent *e;
  char path[4096];
  while ((e = readdir(d)) != NULL) {
    if (e->d_name[0] == '.') continue;
    snprintf(path, sizeof path, "%s/%s", dir, e->d_name);
    if (e->d_type == DT_DIR && depth == 0) walk(path, 1);
    else if (e->d_type == DT_REG) check(path);
  }
  closedir(d);
}

int main(int argc, char **argv) {
  if (argc != 2) return 2;
  walk(argv[1], 0);
  printf("%lu damaged\n", damaged);
  return 0;
}
