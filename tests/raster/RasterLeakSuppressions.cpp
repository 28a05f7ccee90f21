// fontconfig 2.14 leaks 288 bytes while it parses its configuration on
// first use (a bare FcFontMatch in a C program shows the same). LeakSanitizer
// asks these hooks for its options and suppressions. Only leaks made under
// expat's parser are suppressed, so a pattern or character set we forget to
// free still fails the sanitizer build; the full unwind is what lets the
// suppression see through fontconfig, which has no frame pointers.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options()
{
  return "fast_unwind_on_malloc=0";
}

extern "C" const char* __lsan_default_suppressions()
{
  return "leak:XML_ParseBuffer\n";
}
#endif
