// A library with a few bytes of thread-local data, loaded with dlopen as the 3D driver is:
// glibc makes each thread's block of it with malloc, the first time the thread reaches it.
extern "C" {
__thread char qx_tls_piccolo[8];
char* qx_tls_blocco() { return qx_tls_piccolo; }
}
