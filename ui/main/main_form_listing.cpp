// The window's list, indicator and boxes as a scan run uses them, and the
// controls as tests and benchmarks reach them.
#include <QCheckBox>
#include <QCoreApplication>
#include <QListView>

#include "main/line_indicator.h"
#include "main/listing_model.h"
#include "main/main_form.h"

namespace larkspan {

Main_Form::Controls Main_Form::Parts() const {
  return {Contents_List, Contents_Model, Load_Button, Line_Text,  Quick_Check,
          Exit_Button,   Func_Menu,      Func_Load,   Func_Map,   Func_Image,
          Func_Compare,  Func_Linear,    Func_Check,  Func_About, Func_Exit};
}

void Main_Form::ClearList() {
  Contents_Model->Clear();
}

void Main_Form::AddItem(std::string_view text, LineKind kind, std::int64_t line) {
  Contents_Model->Append(text, kind, line);
}

void Main_Form::PublishItems(bool layOut) {
  Contents_Model->Publish();
  if (layOut) Contents_List->doItemsLayout();
}

bool Main_Form::ListVisible() const {
  return Contents_List->isVisible();
}

void Main_Form::SetListVisible(bool visible) {
  Contents_List->setVisible(visible);
}

void Main_Form::FocusList() {
  Contents_List->setFocus();
}

void Main_Form::SelectFirstItem() {
  Contents_List->setCurrentIndex(Contents_Model->index(0));
}

void Main_Form::ShowSelectedIndex() {
  Contents_List_Click();
}

bool Main_Form::QuickLoad() const {
  return Quick_Check->checkState() != Qt::Unchecked;
}

void Main_Form::SetIndicator(const QString& text) {
  Line_Text->SetCaption(text);
}

bool Main_Form::ShowMessage(BoxIcon icon, const QString& title, const QString& text,
                            const QString& checkBox) {
  return platform_.MessageBox(this, icon, title, text, checkBox);
}

void Main_Form::ProcessPendingEvents() {
  QCoreApplication::processEvents();
}

}  // namespace larkspan
