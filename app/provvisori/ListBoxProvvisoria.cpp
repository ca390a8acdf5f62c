#include "app/provvisori/ListBoxProvvisoria.h"

#include <QRegularExpression>

namespace qx {

void TListBoxProvvisoria::ImpostaVoci(QStringList voci) {
  if (ordinata_) std::stable_sort(voci.begin(), voci.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  setUpdatesEnabled(false);
  clear();
  static const QRegularExpression tag("<(/?[biu]|c:[^>]*)>", QRegularExpression::CaseInsensitiveOption);
  for (const QString& v : voci) {
    auto* item = new QListWidgetItem(QString(v).remove(tag), this);
    item->setData(Qt::UserRole, v);
  }
  setUpdatesEnabled(true);
}

QString TListBoxProvvisoria::Voce(int i) const {
  const QListWidgetItem* it = item(i);
  return it ? it->data(Qt::UserRole).toString() : QString();
}

}  // namespace qx
