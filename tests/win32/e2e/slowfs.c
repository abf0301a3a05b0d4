/* A file system whose folders answer slowly, standing in for a slow network share: its
 * root holds the folders d000 to d199, each holding f.txt, and listing one of those
 * folders takes 300 ms. Mount it with  slowfs <mount point> -f  and end it with SIGTERM.
 * Built by the end-to-end tests with the system's C compiler. */
#define FUSE_USE_VERSION 31
#include <errno.h>
#include <fuse.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

enum { kFolders = 200 };

/* 1 for the root, 2 for a folder d000..d199, 3 for its f.txt, 0 for nothing. */
static int Kind(const char* path) {
  int folder = -1, end = 0;
  if (strcmp(path, "/") == 0) return 1;
  if (sscanf(path, "/d%3d%n", &folder, &end) != 1 || folder < 0 || folder >= kFolders) return 0;
  if (path[end] == '\0') return 2;
  return strcmp(path + end, "/f.txt") == 0 ? 3 : 0;
}

static int GetAttr(const char* path, struct stat* info, struct fuse_file_info* file) {
  (void)file;
  memset(info, 0, sizeof *info);
  switch (Kind(path)) {
    case 1:
    case 2:
      info->st_mode = S_IFDIR | 0755;
      info->st_nlink = 2;
      return 0;
    case 3:
      info->st_mode = S_IFREG | 0644;
      info->st_nlink = 1;
      return 0;
    default:
      return -ENOENT;
  }
}

static int ReadDir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t offset,
                   struct fuse_file_info* file, enum fuse_readdir_flags flags) {
  (void)offset;
  (void)file;
  (void)flags;
  const int kind = Kind(path);
  if (kind != 1 && kind != 2) return -ENOENT;
  fill(buffer, ".", NULL, 0, 0);
  fill(buffer, "..", NULL, 0, 0);
  if (kind == 1) {
    for (int folder = 0; folder < kFolders; ++folder) {
      char name[8];
      snprintf(name, sizeof name, "d%03d", folder);
      fill(buffer, name, NULL, 0, 0);
    }
    return 0;
  }
  for (int waited = 0; waited < 3 && !fuse_interrupted(); ++waited) usleep(100000);
  fill(buffer, "f.txt", NULL, 0, 0);
  return 0;
}

static const struct fuse_operations kOperations = {.getattr = GetAttr, .readdir = ReadDir};

int main(int argc, char* argv[]) { return fuse_main(argc, argv, &kOperations, NULL); }
