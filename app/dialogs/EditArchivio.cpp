#include "app/dialogs/EditArchivio.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <vector>

#include "controls/ZfMessageBox.h"
#include "runstate/DatiGlob.h"

namespace qx {

namespace {

void Errore(const std::string& testo) { ZfMessageBox(QString::fromStdString(testo), 0, MsgButtons({mbOK})); }
void Avviso(const std::string& testo) { ZfMessageBox(QString::fromStdString(testo), 2, MsgButtons({mbOK})); }

// What a field may hold at its widest, as the grid shows it: as many capitals as a text
// field's width, as many digits as a number's, a date as dd/mm/yyyy, one letter for a
// logical field.
QString CampioneCampo(const dbf::TCampo& c) {
  switch (c.Tipo) {
    case 'C': return QString(c.Larghezza, QLatin1Char('X'));
    case 'D': return QStringLiteral("00/00/0000");
    case 'L': return QStringLiteral("X");
    default: return QString(c.Larghezza, QLatin1Char('0'));
  }
}

}  // namespace

// The rows of the table in its current order, and after them, while the user is adding a
// record, one empty row that becomes a record at its first value (a row left empty never
// reaches the file). A record whose key changes moves to its place, and the grid's current
// cell and open editor move with it.
class TModelloArchivio : public QAbstractTableModel {
 public:
  explicit TModelloArchivio(dbf::TTabella& t) : t_(t) {}

  // A note for a box about a value taken (a character written as "?").
  std::function<void(const std::string&)> OnNota;
  // The message of the value the last setData refused, and its cell, for the grid to tell;
  // empty when the value was taken.
  const std::string& Rifiuto() const { return rifiuto_; }
  QModelIndex CellaRifiutata() const { return cellaRifiutata_; }

  bool RigaNuova() const { return nuova_; }
  int RigaDellaNuova() const { return nuova_ ? t_.Righe() : -1; }

  void Ricarica() {
    beginResetModel();
    nuova_ = false;
    endResetModel();
  }
  void AggiungiRigaNuova() {
    if (nuova_) return;
    beginInsertRows({}, t_.Righe(), t_.Righe());
    nuova_ = true;
    endInsertRows();
  }
  void TogliRigaNuova() {
    if (!nuova_) return;
    beginRemoveRows({}, t_.Righe(), t_.Righe());
    nuova_ = false;
    endRemoveRows();
  }

  int rowCount(const QModelIndex& p) const override { return p.isValid() ? 0 : t_.Righe() + (nuova_ ? 1 : 0); }
  int columnCount(const QModelIndex& p) const override {
    return p.isValid() ? 0 : static_cast<int>(t_.Campi().size());
  }

  QVariant data(const QModelIndex& i, int ruolo) const override {
    if (!i.isValid()) return {};
    if (ruolo == Qt::DisplayRole || ruolo == Qt::EditRole)
      return i.row() < t_.Righe() ? QString::fromStdString(t_.Testo(i.row(), i.column())) : QString();
    if (ruolo == Qt::TextAlignmentRole) {
      const char tipo = t_.Campi()[static_cast<std::size_t>(i.column())].Tipo;
      const bool numero = tipo == 'N' || tipo == 'F';
      return QVariant::fromValue(Qt::AlignVCenter | (numero ? Qt::AlignRight : Qt::AlignLeft));
    }
    return {};
  }

  QVariant headerData(int s, Qt::Orientation o, int ruolo) const override {
    if (ruolo != Qt::DisplayRole) return {};
    if (o == Qt::Horizontal)
      return s >= 0 && s < columnCount({}) ? QString::fromStdString(t_.Campi()[static_cast<std::size_t>(s)].Nome)
                                           : QVariant();
    return s == RigaDellaNuova() ? QStringLiteral("*") : QString::number(s + 1);
  }

  Qt::ItemFlags flags(const QModelIndex& i) const override {
    if (!i.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
  }

  bool setData(const QModelIndex& i, const QVariant& valore, int ruolo) override {
    rifiuto_.clear();
    if (!i.isValid() || ruolo != Qt::EditRole) return false;
    const std::string testo = valore.toString().toStdString();
    const int campo = i.column();
    std::string errore, nota;
    if (i.row() == RigaDellaNuova()) {
      if (valore.toString().trimmed().isEmpty()) return false;
      // A value that does not fit adds no record: the file stays as it was.
      if (!t_.Ammette(campo, testo, errore)) return Rifiuta(errore, i);
      Spostamento s(*this);
      const int riga = t_.Aggiungi(errore);
      if (riga < 0) return Rifiuta(errore, i);
      const int record = t_.Record(riga);
      if (!t_.Scrivi(riga, campo, testo, errore, &nota)) {
        std::string e2;
        t_.Cancella(t_.RigaDelRecord(record), e2);
        return Rifiuta(errore, i);
      }
      // The empty row is now this record, wherever the order puts it.
      nuova_ = false;
      s.RecordNuovo = record;
      return Accetta(nota);
    }
    if (testo == t_.Testo(i.row(), campo)) return true;  // nothing changed: nothing written
    if (campo == t_.CampoOrdine()) {
      Spostamento s(*this);
      if (!t_.Scrivi(i.row(), campo, testo, errore, &nota)) return Rifiuta(errore, i);
      return Accetta(nota);
    }
    if (!t_.Scrivi(i.row(), campo, testo, errore, &nota)) return Rifiuta(errore, i);
    emit dataChanged(i, i);
    return Accetta(nota);
  }

 private:
  // A change that may move rows: the grid's cells (current, selected, being edited) follow
  // their records to their new rows.
  struct Spostamento {
    explicit Spostamento(TModelloArchivio& m) : m_(m) {
      emit m_.layoutAboutToBeChanged();
      prima_ = m_.persistentIndexList();
      for (const QModelIndex& p : prima_) record_.push_back(p.row() < m_.t_.Righe() ? m_.t_.Record(p.row()) : -1);
    }
    ~Spostamento() {
      QModelIndexList dopo;
      for (qsizetype k = 0; k < prima_.size(); ++k) {
        int r = record_[static_cast<std::size_t>(k)];
        if (r < 0) r = RecordNuovo;
        const int riga = r >= 0 ? m_.t_.RigaDelRecord(r) : m_.RigaDellaNuova();
        dopo.push_back(riga >= 0 ? m_.index(riga, prima_[k].column()) : QModelIndex());
      }
      m_.changePersistentIndexList(prima_, dopo);
      emit m_.layoutChanged();
    }
    Spostamento(const Spostamento&) = delete;
    Spostamento& operator=(const Spostamento&) = delete;
    int RecordNuovo = -1;

   private:
    TModelloArchivio& m_;
    QModelIndexList prima_;
    std::vector<int> record_;
  };

  bool Rifiuta(const std::string& errore, const QModelIndex& cella) {
    rifiuto_ = errore;
    cellaRifiutata_ = cella;
    return false;
  }
  bool Accetta(const std::string& nota) {
    if (!nota.empty() && OnNota) OnNota(nota);
    return true;
  }

  dbf::TTabella& t_;
  bool nuova_ = false;
  std::string rifiuto_;
  QPersistentModelIndex cellaRifiutata_;
};

namespace {

// While the grid keeps an edit open, no other cell becomes current or selected: `altrove`
// tells a cell other than the one being edited.
class TSelezioneFerma : public QItemSelectionModel {
 public:
  TSelezioneFerma(QAbstractItemModel* m, QObject* parent, std::function<bool(const QModelIndex&)> altrove)
      : QItemSelectionModel(m, parent), altrove_(std::move(altrove)) {}
  void setCurrentIndex(const QModelIndex& i, SelectionFlags f) override {
    if (!altrove_(i)) QItemSelectionModel::setCurrentIndex(i, f);
  }
  void select(const QModelIndex& i, SelectionFlags f) override {
    if (!altrove_(i)) QItemSelectionModel::select(i, f);
  }
  void select(const QItemSelection& s, SelectionFlags f) override {
    const QModelIndexList celle = s.indexes();
    if (std::none_of(celle.begin(), celle.end(), altrove_) && (!celle.isEmpty() || !altrove_({})))
      QItemSelectionModel::select(s, f);
  }

 private:
  std::function<bool(const QModelIndex&)> altrove_;
};

// The grid, which says whether a cell is being edited and how wide a column must be to show
// a text whole. A text its field refuses stays in the cell's editor, whichever way the
// edit was left (a key, a click elsewhere, the focus going away): the box says why, and the
// pupil shortens the text or gives it up with Esc. No other cell becomes current meanwhile.
class TDBGrid : public QTableView {
 public:
  TDBGrid(TModelloArchivio& modello, QWidget* parent) : QTableView(parent), m_(modello) {
    setModel(&m_);
    QItemSelectionModel* prima = selectionModel();
    setSelectionModel(new TSelezioneFerma(&m_, this, [this](const QModelIndex& i) {
      return trattenuto_ && QModelIndex(cella_) != i;
    }));
    delete prima;
    // A reset takes every editor away, the kept one too.
    connect(&m_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { Libera(); });
  }

  // A kept edit counts even when a mouse drag has reset the view's state.
  bool InModifica() const { return state() == EditingState || trattenuto_; }

  // Commits the cell being edited as leaving it does. False while its text is refused: the
  // editor stays open and the box says why.
  bool ConcludiModifica() {
    if (!InModifica()) return true;
    QWidget* e = trattenuto_ ? trattenuto_.data() : indexWidget(currentIndex());
    if (!e) return true;
    commitData(e);
    if (e == trattenuto_) return false;
    closeEditor(e, QAbstractItemDelegate::NoHint);
    return true;
  }

  // The text in the cells' font between the cells' margins, and the grid line.
  int LarghezzaPer(const QString& testo) const {
    QStyleOptionViewItem o;
    initViewItemOption(&o);
    o.features |= QStyleOptionViewItem::HasDisplay;
    o.text = testo;
    return style()->sizeFromContents(QStyle::CT_ItemViewItem, &o, QSize(), this).width() + (showGrid() ? 1 : 0);
  }
  // The widest of the column's name and of its values.
  int LarghezzaTesti(int colonna) const {
    return std::max(sizeHintForColumn(colonna), horizontalHeader()->sectionSizeHint(colonna));
  }

 protected:
  void commitData(QWidget* editor) override {
    // The box about this text is on its way or open (it takes the focus, and that commits
    // again): one box is enough.
    if (editor == trattenuto_ && avviso_) return;
    QTableView::commitData(editor);
    if (m_.Rifiuto().empty()) {
      if (editor == trattenuto_) Libera();
      return;
    }
    trattenuto_ = editor;
    cella_ = m_.CellaRifiutata();
    avviso_ = true;
    // A box opened inside the commit would take the focus from the editor while the grid
    // is still busy with it: it waits until the commit is over.
    QTimer::singleShot(0, this, [this, errore = m_.Rifiuto()] {
      Errore(errore);
      avviso_ = false;
      Riprendi();
    });
  }

  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override {
    if (editor && editor == trattenuto_) {
      if (hint != QAbstractItemDelegate::RevertModelCache) return;
      Libera();  // Esc: the pupil gives the text up
    }
    QTableView::closeEditor(editor, hint);
  }

 private:
  void Libera() {
    trattenuto_ = nullptr;
    cella_ = QPersistentModelIndex();
  }
  // Back to the kept editor, where the pupil left it, in the window the box gave back.
  void Riprendi() {
    if (!trattenuto_) return;
    if (currentIndex() != QModelIndex(cella_)) setCurrentIndex(cella_);
    scrollTo(cella_);
    activateWindow();
    trattenuto_->setFocus(Qt::OtherFocusReason);
  }

  TModelloArchivio& m_;
  QPointer<QWidget> trattenuto_;
  QPersistentModelIndex cella_;
  bool avviso_ = false;  // the box about the kept text is on its way or open
};

TDBGrid& Griglia(QTableView* g) { return *static_cast<TDBGrid*>(g); }

}  // namespace

TdlgEditArchivio::TdlgEditArchivio(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgEditArchivio"));
  setWindowTitle(QStringLiteral("Archivio"));
  modello_ = std::make_unique<TModelloArchivio>(Table1);

  DBGrid1 = new TDBGrid(*modello_, this);
  DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
  DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
  // Typing starts an edit at once: a click on the current cell arms no delayed editor that
  // would swallow the keys typed right after it.
  DBGrid1->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                           QAbstractItemView::EditKeyPressed);
  DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
  DBGrid1->installEventFilter(this);

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Label1 = new QLabel(QStringLiteral("Ordina per"), Panel1);
  cmbOrdina = new QComboBox(Panel1);
  cmbOrdina->setObjectName(QStringLiteral("cmbOrdina"));
  cmbOrdina->setMinimumContentsLength(12);
  auto* l1 = new QHBoxLayout(Panel1);
  l1->addWidget(Label1);
  l1->addWidget(cmbOrdina);
  l1->addStretch(1);

  Panel2 = new QWidget(this);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Label2 = new QLabel(QStringLiteral("Cerca parola"), Panel2);
  edTrova = new QLineEdit(Panel2);
  edTrova->setObjectName(QStringLiteral("edTrova"));
  Label3 = new QLabel(QStringLiteral("in"), Panel2);
  cmbTrova = new QComboBox(Panel2);
  cmbTrova->setObjectName(QStringLiteral("cmbTrova"));
  cmbTrova->setMinimumContentsLength(12);
  BitBtn2 = new QPushButton(QStringLiteral("Trova"), Panel2);
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  BitBtn2->setAutoDefault(false);
  OKBtn = new QPushButton(QStringLiteral("&Chiudi"), Panel2);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setAutoDefault(false);
  auto* l2 = new QHBoxLayout(Panel2);
  l2->addWidget(Label2);
  l2->addWidget(edTrova, 1);
  l2->addWidget(Label3);
  l2->addWidget(cmbTrova);
  l2->addWidget(BitBtn2);
  l2->addStretch(1);
  l2->addWidget(OKBtn);

  auto* colonna = new QVBoxLayout(this);
  colonna->addWidget(Panel1);
  colonna->addWidget(DBGrid1, 1);
  colonna->addWidget(Panel2);
  resize(640, 420);

  // A box opened inside the grid's commit would take the focus from the editor being
  // closed and commit it again: the notes wait until the commit is over.
  modello_->OnNota = [this](const std::string& testo) { QTimer::singleShot(0, this, [testo] { Avviso(testo); }); };
  connect(cmbOrdina, &QComboBox::activated, this, [this] { cmbOrdinaClick(); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn2Click(); });
  connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
  // Leaving the row of a record being added, with nothing typed in it, drops that row.
  connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& ora, const QModelIndex& prima) {
            if (!modello_->RigaNuova() || prima.row() != modello_->RigaDellaNuova() ||
                ora.row() == prima.row())
              return;
            QTimer::singleShot(0, this, [this] {
              if (modello_->RigaNuova() && RigaCorrente() != modello_->RigaDellaNuova()) modello_->TogliRigaNuova();
            });
          });
}

TdlgEditArchivio::~TdlgEditArchivio() {
  // The view lets go of the model before the model goes.
  DBGrid1->setModel(nullptr);
}

void TdlgEditArchivio::Apri(const std::string& caption, const std::string& tabella) {
  setWindowTitle(QString::fromStdString(caption));
  TableName = tabella;
  if (!FormActivate()) return;
  exec();
}

bool TdlgEditArchivio::FormActivate() {
  DatabaseName = DatiGlob.CartellaProgramma + "ARC";
  std::string errore;
  if (!Table1.Apri(dbf::PercorsoTabella(DatabaseName, TableName), errore)) {
    modello_->Ricarica();
    Errore(errore);
    return false;
  }
  cmbOrdina->clear();
  cmbTrova->clear();
  for (const dbf::TCampo& c : Table1.Campi()) {
    cmbOrdina->addItem(QString::fromStdString(c.Nome));
    cmbTrova->addItem(QString::fromStdString(c.Nome));
  }
  cmbOrdina->setCurrentIndex(-1);
  cmbTrova->setCurrentIndex(-1);
  // The word looked for in another table means nothing in this one.
  edTrova->clear();
  Riallinea(Table1.Record(0), 0);
  // An empty table is ready for its first record.
  if (Table1.Righe() == 0 && !Table1.SolaLettura()) {
    modello_->AggiungiRigaNuova();
    DBGrid1->setCurrentIndex(modello_->index(0, 0));
  }
  ApriColonne();
  DBGrid1->setFocus();
  return true;
}

void TdlgEditArchivio::ApriColonne() {
  // A very wide field would push the others out of sight: no column opens wider than half
  // the window (the user can still widen it).
  const int massima = width() / 2;
  TDBGrid* griglia = &Griglia(DBGrid1);
  for (int c = 0; c < static_cast<int>(Table1.Campi().size()); ++c) {
    const int campo = griglia->LarghezzaPer(CampioneCampo(Table1.Campi()[static_cast<std::size_t>(c)]));
    griglia->setColumnWidth(c, std::min(std::max(campo, griglia->LarghezzaTesti(c)), massima));
  }
}

void TdlgEditArchivio::FormClose() {
  Table1.Chiudi();
  modello_->Ricarica();
}

void TdlgEditArchivio::done(int risultato) {
  // What is being typed in a cell is kept; a text its field refuses keeps the window open,
  // with the box that says why.
  if (!Griglia(DBGrid1).ConcludiModifica()) return;
  FormClose();
  QDialog::done(risultato);
}

void TdlgEditArchivio::OKBtnClick() { accept(); }

int TdlgEditArchivio::RigaCorrente() const { return DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().row() : -1; }

int TdlgEditArchivio::CampoCorrente() const {
  return DBGrid1->currentIndex().isValid() ? DBGrid1->currentIndex().column() : -1;
}

void TdlgEditArchivio::Riallinea(int record, int campo) {
  modello_->Ricarica();
  const int riga = record >= 0 ? Table1.RigaDelRecord(record) : -1;
  if (riga < 0 || Table1.Campi().empty()) return;
  const QModelIndex i = modello_->index(riga, std::clamp(campo, 0, static_cast<int>(Table1.Campi().size()) - 1));
  DBGrid1->setCurrentIndex(i);
  DBGrid1->scrollTo(i);
}

void TdlgEditArchivio::cmbOrdinaClick() {
  const int campo = cmbOrdina->currentIndex();
  if (!Table1.Aperta() || campo < 0) return;
  // A new order would take the cell being edited away.
  if (!Griglia(DBGrid1).ConcludiModifica()) {
    cmbOrdina->setCurrentIndex(Table1.CampoOrdine());
    return;
  }
  // As a table opened again on a new index: the rows in their new order, from the first.
  Table1.OrdinaPer(campo);
  Riallinea(Table1.Record(0), CampoCorrente());
}

void TdlgEditArchivio::BitBtn2Click() {
  const std::string testo = edTrova->text().toStdString();
  const int campo = cmbTrova->currentIndex();
  if (!Table1.Aperta() || testo.empty() || campo < 0 || !Griglia(DBGrid1).ConcludiModifica()) return;
  const int riga = campo == Table1.CampoOrdine() ? Table1.CercaVicino(testo) : Table1.CercaPrefisso(campo, testo);
  if (riga >= 0) Riallinea(Table1.Record(riga), campo);
}

void TdlgEditArchivio::CancellaRigaCorrente() {
  const int riga = RigaCorrente();
  if (riga < 0) return;
  if (riga == modello_->RigaDellaNuova()) {
    modello_->TogliRigaNuova();
    return;
  }
  if (ZfMessageBox(QStringLiteral("Cancellare il record?"), 1, MsgButtons({mbYes, mbNo})) != IDYES) return;
  std::string errore;
  if (!Table1.Cancella(riga, errore)) {
    Errore(errore);
    return;
  }
  Riallinea(Table1.Record(std::min(riga, Table1.Righe() - 1)), CampoCorrente());
}

bool TdlgEditArchivio::eventFilter(QObject* oggetto, QEvent* evento) {
  if (oggetto != DBGrid1 || evento->type() != QEvent::KeyPress || Griglia(DBGrid1).InModifica())
    return QDialog::eventFilter(oggetto, evento);
  const auto* k = static_cast<QKeyEvent*>(evento);
  if (!Table1.Aperta()) return false;
  // Down past the last row, or Insert, starts a new record; Ctrl+Delete deletes one.
  const bool inFondo = k->key() == Qt::Key_Down && k->modifiers() == Qt::NoModifier &&
                       RigaCorrente() == modello_->rowCount({}) - 1;
  if ((inFondo || (k->key() == Qt::Key_Insert && k->modifiers() == Qt::NoModifier)) && !Table1.SolaLettura() &&
      !Table1.Campi().empty()) {
    const int campo = std::max(0, CampoCorrente());
    modello_->AggiungiRigaNuova();
    DBGrid1->setCurrentIndex(modello_->index(modello_->RigaDellaNuova(), campo));
    return true;
  }
  if (k->key() == Qt::Key_Delete && k->modifiers() == Qt::ControlModifier) {
    CancellaRigaCorrente();
    return true;
  }
  return false;
}

}  // namespace qx
