#!/bin/bash
# Every file-system call of the program goes through its one file layer:
# only the Linux file system (posix_file_system.cpp) may import the system's
# file calls. The signal pipe (termination_signals.cpp) reads and writes a
# socket, which is no file. Lists every other object of the given libraries
# that imports such a call, and fails if there is one.
#
#   one_file_layer.sh <library.a>...
set -u
command -v nm >/dev/null || { echo "SKIP: nm is not installed"; exit 77; }

calls='open|open64|openat|openat64|creat|creat64|fopen|fopen64|freopen|stat|stat64|lstat|lstat64'
calls+='|fstat|fstat64|fstatat|fstatat64|statx|__xstat|__lxstat|__fxstat|__fxstatat|rename|renameat'
calls+='|renameat2|unlink|unlinkat|remove|mkdir|mkdirat|rmdir|chmod|fchmod|fchmodat|chown|fchown'
calls+='|lchown|fchownat|utime|utimes|utimensat|futimens|truncate|truncate64|ftruncate|ftruncate64'
calls+='|fsync|fdatasync|sync_file_range|link|linkat|symlink|symlinkat|readlink|readlinkat|realpath'
calls+='|access|faccessat|euidaccess|flock|fcntl|fcntl64|lockf|opendir|fdopendir|readdir|readdir64'
calls+='|scandir|mkstemp|mkostemp|mkdtemp|tmpfile|read|pread|pread64|write|pwrite|pwrite64|close|dup|dup2'
toolkit='std::basic_ifstream|std::basic_ofstream|std::basic_fstream|std::basic_filebuf|std::filesystem'
toolkit+='|QFile::|QFile\(|QFileInfo|QDir::|QDir\(|QSaveFile|QTemporaryFile|QTemporaryDir|QLockFile'

found=0
for library in "$@"; do
  [ -f "$library" ] || { echo "FAIL: no such library: $library"; exit 1; }
  while IFS= read -r line; do
    object=${line#*:}
    object=${object%%:*}
    symbol=${line##* U }
    case "$object" in
      posix_file_system.cpp.o) continue ;;
      termination_signals.cpp.o) [[ $symbol =~ ^(read|write)$ ]] && continue ;;
    esac
    if [[ $symbol =~ ^($calls)$ ]] || [[ $symbol =~ $toolkit ]]; then
      echo "$(basename "$library") $object calls $symbol"
      found=1
    fi
  done < <(nm -A -u -C "$library" 2>/dev/null)
done
[ "$found" = 0 ] || { echo "FAIL: file-system calls outside the file layer"; exit 1; }
echo "PASS: every file-system call goes through posix_file_system.cpp"
