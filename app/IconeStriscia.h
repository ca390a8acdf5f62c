// The buttons of the strips under the plane and the space view, and their small pictures:
// grid, axes alone, origin (the frame as at first), zoom in and out, traces cleared, walls.
#pragma once
#include <QIcon>
#include <QString>

class QLayout;
class QToolButton;
class QWidget;

namespace qx {

enum class TIconaStriscia { Griglia, Assi, Origine, ZoomPiu, ZoomMeno, CancellaTraccia, Pareti };

QIcon IconaStriscia(TIconaStriscia icona);

// A flat 26 x 24 button of a strip, added to its row, with its picture and tooltip.
QToolButton* PulsanteStriscia(QWidget* padre, QLayout* riga, const char* nome, const QIcon& icona,
                              const QString& suggerimento);

}  // namespace qx
