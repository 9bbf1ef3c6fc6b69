/* Started by the RUN tests: writes one line per argv entry, then the working directory, to
   argv_record.txt in the working directory. Each line is "argv[N]=<text>" or "cwd=<text>". */
#include <stdio.h>
#include <unistd.h>

int main(int argc, char** argv) {
  FILE* out = fopen("argv_record.txt", "w");
  if (out == NULL) return 2;
  for (int i = 0; i < argc; ++i) fprintf(out, "argv[%d]=%s\n", i, argv[i]);
  char cwd[4096];
  if (getcwd(cwd, sizeof cwd) != NULL) fprintf(out, "cwd=%s\n", cwd);
  fclose(out);
  return 0;
}
