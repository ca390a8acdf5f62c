#include <gtest/gtest.h>

#include "values/espressioni/Analizzatore.h"
#include "values/espressioni/Stampa.h"

namespace qx {
TEST(Analizzatore, Fumo) {
  PNodo t = AnalizzaEspressione("2*Sin(x)^2+1", MODO_FUNZIONE);
  ASSERT_TRUE(t);
  EXPECT_EQ(AlberoInTesto(t.get()), "2*(Sin(x)^2)+1");
}
}  // namespace qx
