// The leak check at the end of every program of the sanitizer build walks the thread-local
// blocks of the libraries loaded with dlopen (the 3D driver's among them). A block that the
// heap happened to place 16 bytes into a page made that walk die ("Tracer caught signal 11")
// after a passing test, by where earlier allocations had left the heap. Here a thread keeps
// such a block to the end of the process, so the leak check meets one every time.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <future>
#include <thread>

namespace {

TEST(TlsDinamico, ABlockSixteenBytesIntoAPageIsWalkedSafelyAtTheEnd) {
  void* libreria = dlopen(QUORIX_TLS_PICCOLO, RTLD_NOW);
  ASSERT_NE(libreria, nullptr) << dlerror();
  const auto blocco = reinterpret_cast<char* (*)()>(dlsym(libreria, "qx_tls_blocco"));
  ASSERT_NE(blocco, nullptr);
  // Each new thread gets a new block from the heap: about one in 128 starts 16 bytes into a page.
  bool trovato = false;
  for (int prova = 0; prova < 5000 && !trovato; ++prova) {
    std::promise<bool> esito;
    std::future<bool> risposta = esito.get_future();
    std::thread([blocco, esito = std::move(esito)]() mutable {
      const bool preso = reinterpret_cast<std::uintptr_t>(blocco()) % 4096 == 16;
      esito.set_value(preso);
      while (preso) pause();  // to the end of the process, block and all
    }).detach();
    trovato = risposta.get();
  }
  ASSERT_TRUE(trovato) << "no block 16 bytes into a page in 5000 threads";
}

}  // namespace
