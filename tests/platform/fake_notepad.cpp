// Stands in for notepad.exe: writes the arguments it was given, one a line
// after their count, to the file named by VELMARIC_NOTEPAD_RECORD.

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const char* record = std::getenv("VELMARIC_NOTEPAD_RECORD");
  if (record == nullptr) return 2;
  FILE* out = std::fopen(record, "wb");
  if (out == nullptr) return 1;
  std::fprintf(out, "%d\n", argc - 1);
  for (int i = 1; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  return std::fclose(out) == 0 ? 0 : 1;
}
