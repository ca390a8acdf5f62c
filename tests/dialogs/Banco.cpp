#include "tests/dialogs/Banco.h"

#include <QFontMetrics>
#include <QPainter>
#include <cstdlib>

#include "runstate/DatiGlob.h"

namespace qx::test {

Banco::Banco() {
  ReimpostaDatiGlob();
  dialoghi = std::make_unique<TDialoghi>();
}

Banco::~Banco() { dialoghi.reset(); }

std::vector<std::string> Banco::Messaggi() const {
  std::vector<std::string> r;
  for (const auto& m : finestra.Messaggi) r.push_back(m.testo);
  for (const auto& m : scatole.Requests) r.push_back(m.Text.toStdString());
  return r;
}

int LarghezzaInchiostro(const QImage& immagine, const QRect& r) {
  // Ink stands out from the ground, whose colour the rectangle's corner shows (light text
  // on a dark ground included).
  const int fondo = qGray(immagine.pixel(r.topLeft()));
  int primo = -1, ultimo = -1;
  for (int x = r.left(); x <= r.right(); ++x)
    for (int y = r.top(); y <= r.bottom(); ++y)
      if (std::abs(qGray(immagine.pixel(x, y)) - fondo) > 100) {
        if (primo < 0) primo = x;
        ultimo = x;
        break;
      }
  return primo < 0 ? -1 : ultimo - primo;
}

int LarghezzaInchiostroLibero(const QFont& font, const QString& testo) {
  const QFontMetrics m(font);
  QImage libero(m.horizontalAdvance(testo) + 40, m.height() + 8, QImage::Format_RGB32);
  libero.fill(Qt::white);
  {
    QPainter p(&libero);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(libero.rect().adjusted(10, 4, -10, -4), Qt::AlignLeft | Qt::AlignVCenter, testo);
  }
  return LarghezzaInchiostro(libero, libero.rect());
}

}  // namespace qx::test
