// fontconfig keeps what it allocates while parsing its configuration on first
// use (288 bytes in 2.14, under expat's parser) and never frees it; the fuzz
// targets reach fontconfig through the editor's and the raster library's
// fonts. Neither library keeps frame pointers, so the fast unwinder stops in
// them: the suppressions name the libraries themselves.
extern "C" const char* __lsan_default_suppressions()
{
  return "leak:libfontconfig.so\nleak:libexpat.so\n";
}
