#include "controls/TraduzioneToolkit.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLibraryInfo>
#include <QLocale>
#include <QResizeEvent>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>
#include <algorithm>

namespace qx {

bool CaricaTraduzioneToolkit() {
  // Owned by the application object, which outlives every window that uses it.
  static QTranslator* traduzione = nullptr;
  if (traduzione) return true;
  auto* t = new QTranslator(QCoreApplication::instance());
  if (!t->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete t;
    return false;
  }
  QCoreApplication::installTranslator(t);
  traduzione = t;
  return true;
}

namespace {

const QLocale& Italiano() {
  static const QLocale italiano(QLocale::Italian, QLocale::Italy);
  return italiano;
}

// The type column names what the pupil sees in a folder as an Italian file manager does. Qt
// takes a file's type from the MIME database's comment, in English under an English desktop,
// and a program file, which no MIME type knows, is "unknown" there.
QString TipoDelFile(const QFileInfo& info) {
  if (info.isRoot()) return QStringLiteral("Unità");
  if (info.isDir()) return QStringLiteral("Cartella");
  const QString suffisso = info.suffix();
  return suffisso.isEmpty() ? QStringLiteral("File") : QStringLiteral("File ") + suffisso.toUpper();
}

// The dialog's list as Qt's file system model gives it, with the size, type and date written
// in Italian: the model writes them through the desktop's locale ("216 bytes", "7 Dec 2026").
class TElencoFileItaliano : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& indice, int ruolo) const override {
    const auto* file = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (ruolo != Qt::DisplayRole || !file || indice.column() == 0)
      return QIdentityProxyModel::data(indice, ruolo);
    const QModelIndex origine = mapToSource(indice);
    switch (indice.column()) {
      case 1:
        // A folder has no size: the model leaves the cell empty.
        return file->isDir(origine) ? QString() : Italiano().formattedDataSize(file->size(origine));
      case 2:
        return TipoDelFile(file->fileInfo(origine));
      case 3:
        return Italiano().toString(file->lastModified(origine), QLocale::ShortFormat);
      default:
        return QIdentityProxyModel::data(indice, ruolo);
    }
  }
};

// Qt opens the details with widths measured on English samples ("128.88 GB", "mp3Folder",
// "10/29/81 02:02PM"), which cut the Italian header "Dimensione" and the texts above. The
// columns after the name are fitted to their header and the rows whenever the rows of the
// folder shown arrive (or the details are shown); the name takes what is left of the view's
// width at every resize, so the last column, which the header stretches, keeps its width
// when a scroll bar takes room.
class TColonneFile : public QObject {
 public:
  TColonneFile(QFileDialog& dialogo, QTreeView& vista)
      : QObject(&dialogo), dialogo_(dialogo), vista_(vista), areaVista_(vista.viewport()) {
    vista_.installEventFilter(this);
    areaVista_->installEventFilter(this);
  }

  bool eventFilter(QObject* oggetto, QEvent* evento) override {
    if (oggetto == &vista_ && evento->type() == QEvent::Show) {
      MostraLuoghiInteri();
      Adatta();
    }
    // Compared, not asked for: the filter also sees the events of a view being destroyed.
    else if (oggetto == areaVista_ && evento->type() == QEvent::Resize)
      DaiIlRestoAlNome(static_cast<QResizeEvent*>(evento)->size().width());
    return QObject::eventFilter(oggetto, evento);
  }

  void RigheArrivate(const QModelIndex& padre) {
    if (padre == vista_.rootIndex()) Adatta();
  }

  void Adatta() {
    if (!vista_.isVisible()) return;
    // The view's measure of the rows shown, through its delegate (protected in QTreeView).
    const QAbstractItemView& righe = vista_;
    QHeaderView& intestazione = *vista_.header();
    for (int c = 1; c < intestazione.count(); ++c)
      if (!intestazione.isSectionHidden(c))
        intestazione.resizeSection(c, std::max(righe.sizeHintForColumn(c), intestazione.sectionSizeHint(c)));
    const int nome = std::max(righe.sizeHintForColumn(0), intestazione.sectionSizeHint(0));
    const int manca = nome + Altre() - vista_.viewport()->width();
    if (manca > 0) Allarga(manca);
    DaiIlRestoAlNome(vista_.viewport()->width());
  }

 private:
  // The places on the left ("Computer", the home folder) whole: the splitter keeps the width
  // of the last dialog, or the toolkit's narrow default.
  void MostraLuoghiInteri() {
    auto* luoghi = dialogo_.findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
    auto* divisore = dialogo_.findChild<QSplitter*>(QStringLiteral("splitter"));
    if (!luoghi || !divisore || divisore->count() < 2 || divisore->widget(0) != luoghi) return;
    const int serve = luoghi->sizeHintForColumn(0) + 2 * luoghi->frameWidth() +
                      luoghi->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, luoghi);
    QList<int> larghezze = divisore->sizes();
    if (larghezze[0] >= serve) return;
    larghezze[1] = std::max(0, larghezze[1] - (serve - larghezze[0]));
    larghezze[0] = serve;
    divisore->setSizes(larghezze);
  }

  int Altre() const {
    const QHeaderView& intestazione = *vista_.header();
    int larghezza = 0;
    for (int c = 1; c < intestazione.count(); ++c)
      if (!intestazione.isSectionHidden(c)) larghezza += intestazione.sectionSize(c);
    return larghezza;
  }

  // The sum of the columns never passes the view's width: beyond it the header would squeeze
  // the stretched last column, not the name, which can show its end elided.
  void DaiIlRestoAlNome(int larghezza) {
    QHeaderView& intestazione = *vista_.header();
    if (intestazione.count() == 0) return;
    intestazione.resizeSection(0, std::max(larghezza - Altre(), intestazione.minimumSectionSize()));
  }

  // Wider by what the name lacks, as far as the screen allows, and kept on the screen.
  void Allarga(int manca) {
    const QScreen* schermo = dialogo_.screen();
    if (!schermo) return;
    const QRect spazio = schermo->availableGeometry();
    const int cresce = std::min(manca, spazio.width() - dialogo_.frameGeometry().width());
    if (cresce <= 0) return;
    dialogo_.resize(dialogo_.width() + cresce, dialogo_.height());
    if (const int fuori = dialogo_.frameGeometry().right() - spazio.right(); fuori > 0)
      dialogo_.move(std::max(spazio.left(), dialogo_.x() - fuori), dialogo_.y());
  }

  QFileDialog& dialogo_;
  QTreeView& vista_;
  QWidget* areaVista_;
};

}  // namespace

void AdattaDialogoFile(QFileDialog& dialogo) {
  auto* vista = dialogo.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (!vista || !dialogo.testOption(QFileDialog::DontUseNativeDialog)) return;
  auto* elenco = new TElencoFileItaliano(&dialogo);
  dialogo.setProxyModel(elenco);
  auto* colonne = new TColonneFile(dialogo, *vista);
  QObject::connect(elenco, &QAbstractItemModel::rowsInserted, colonne,
                   [colonne](const QModelIndex& padre) { colonne->RigheArrivate(padre); });
  // A folder already read has no rows to insert when it is entered again: its columns are
  // fitted once the view shows it.
  QObject::connect(&dialogo, &QFileDialog::directoryEntered, colonne,
                   [colonne] { QTimer::singleShot(0, colonne, [colonne] { colonne->Adatta(); }); });
}

}  // namespace qx
