// Creation of the window's controls, and the wiring of their events.
#include <algorithm>

#include <QAction>
#include <QCheckBox>
#include <QFont>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>

#include "main/line_indicator.h"
#include "main/listing_delegate.h"
#include "main/listing_model.h"
#include "main/main_form.h"
#include "platform/program_icon.h"

namespace larkspan {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr double kListPointSize = 9.75;

// Places `widget` at a position and size given in twips within the client area.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                      height / kTwipsPerPixel);
}

// Makes the font of `widget` small enough for its caption to fit its width. The
// sizes are fixed in pixels while desktop fonts vary; a font that fits is kept.
void FitCaption(QWidget* widget) {
  constexpr double kSmallestPointSize = 6.0;
  constexpr double kStep = 0.25;
  QFont font = widget->font();
  while (widget->sizeHint().width() > widget->width() &&
         font.pointSizeF() - kStep >= kSmallestPointSize) {
    font.setPointSizeF(font.pointSizeF() - kStep);
    widget->setFont(font);
  }
}

// The list's font: the desktop's monospace family, where every character takes
// the same width so that the columns of the entries line up.
QFont ListFont() {
  QFont font(QStringLiteral("monospace"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPointSizeF(kListPointSize);
  return font;
}

QPushButton* CommandButton(QWidget* parent, const QString& caption, const QString& tip) {
  auto* button = new QPushButton(caption, parent);
  QFont font = button->font();
  font.setBold(true);
  button->setFont(font);
  button->setToolTip(tip);
  return button;
}

}  // namespace

void Main_Form::BuildControls() {
  auto* client = new QWidget(this);
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  Contents_Model = new ListingModel(this);
  Contents_List = new QListView(client);
  Contents_List->setModel(Contents_Model);
  Contents_List->setItemDelegate(new ListingDelegate(Contents_List));
  Contents_List->setUniformItemSizes(true);
  Contents_List->setSelectionMode(QAbstractItemView::SingleSelection);
  Contents_List->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Contents_List->setToolTip(QStringLiteral("Contents of HEX-file"));
  Contents_List->setFont(ListFont());
  PlaceTwips(Contents_List, 120, 120, 6975, 3660);

  Load_Button = CommandButton(client, QStringLiteral("&Load file"),
                              QStringLiteral("Load HEX-file and display contents"));
  Load_Button->setDefault(true);
  PlaceTwips(Load_Button, 240, 3960, 1335, 375);

  Line_Label = new QLabel(QStringLiteral("Reading line:"), client);
  PlaceTwips(Line_Label, 1920, 4035, 1095, 255);

  Line_Text = new LineIndicator(client);
  Line_Text->setToolTip(QStringLiteral("Progress of file reading"));
  // Indexes run to ten digits: the box takes the free space up to the quick-load
  // box, 900 twips where a five-digit index needed 615.
  PlaceTwips(Line_Text, 3120, 4020, 900, 255);
  Line_Text->SetCaption(QStringLiteral("0"));

  // The box stands to the right of its caption.
  Quick_Check = new QCheckBox(QStringLiteral("&Quick load:"), client);
  Quick_Check->setLayoutDirection(Qt::RightToLeft);
  Quick_Check->setToolTip(QStringLiteral("Load HEX-file quicker"));
  PlaceTwips(Quick_Check, 4080, 4035, 1215, 255);

  Exit_Button = CommandButton(client, QStringLiteral("E&xit"), QStringLiteral("Close program"));
  PlaceTwips(Exit_Button, 5640, 3960, 1335, 375);

  for (QWidget* captioned :
       {static_cast<QWidget*>(Load_Button), static_cast<QWidget*>(Line_Label),
        static_cast<QWidget*>(Quick_Check), static_cast<QWidget*>(Exit_Button)}) {
    FitCaption(captioned);
  }
  // The two captions of the bottom row read alike: both take the smaller font.
  QFont captionFont = Line_Label->font();
  captionFont.setPointSizeF(
      std::min(Line_Label->font().pointSizeF(), Quick_Check->font().pointSizeF()));
  Line_Label->setFont(captionFont);
  Quick_Check->setFont(captionFont);

  // Tab order: Load, Quick load, Exit, the list; labels take no focus.
  setTabOrder(Load_Button, Quick_Check);
  setTabOrder(Quick_Check, Exit_Button);
  setTabOrder(Exit_Button, Contents_List);
  Load_Button->setFocus();

  setWindowIcon(ProgramIcon());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

void Main_Form::ConnectHandlers() {
  connect(Load_Button, &QPushButton::clicked, this, [this] { Load_Button_Click(); });
  connect(Exit_Button, &QPushButton::clicked, this, [this] { Exit_Button_Click(); });
  connect(Func_Load, &QAction::triggered, this, [this] { Load_Button_Click(); });
  connect(Func_Map, &QAction::triggered, this, [this] { Func_Map_Click(); });
  connect(Func_Linear, &QAction::triggered, this, [this] { Func_Linear_Click(); });
  connect(Func_Check, &QAction::triggered, this, [this] { Func_Check_Click(); });
  connect(Func_About, &QAction::triggered, this, [this] { Func_About_Click(); });
  connect(Func_Exit, &QAction::triggered, this, [this] { Exit_Button_Click(); });
  // A selection by mouse, keyboard or code is the list's click.
  connect(Contents_List->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { Contents_List_Click(); });
  connect(Contents_List->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { Contents_List_Click(); });
  ConnectImage();
  ConnectCompare();
}

void Main_Form::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame(QPoint(0, 0), size());
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

}  // namespace larkspan
