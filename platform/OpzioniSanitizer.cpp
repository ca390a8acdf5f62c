// Built into every program of the sanitizer build (QUORIX_SANITIZE=ON): the options its
// runtime takes before those of ASAN_OPTIONS, so that the tests, the programs they start
// (qxrun) and the window started by hand all run the same way.
//
// intercept_tls_get_addr=0. When a thread first reaches a library's dynamic TLS block, the
// runtime of clang 14 records the block for the leak check; a block that starts 16 bytes
// into a page it takes for one made by glibc 2.19 to 2.24 and reads the 16 bytes before it
// as that glibc's header. Our glibc makes those blocks with malloc, so those bytes are the
// allocator's own chunk header, and the leak check at exit scanned from an address near
// 0x1800: its stop of the world died with "Tracer caught signal 11" after a passing test.
// Where a block lands depends on every allocation before it, so on the size of the
// environment and the length of the build folder's name. Nothing is lost to the leak check:
// glibc's blocks are heap blocks that it reaches from the thread descriptor, which it scans.
extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
