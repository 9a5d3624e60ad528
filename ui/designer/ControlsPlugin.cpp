#include "ControlsPlugin.h"

#include "BitBtn.h"
#include "DesignLook.h"
#include "Form.h"
#include "PictureBox.h"
#include "StaticText.h"

namespace miravane {

DesignerControl::DesignerControl(const QString& className, const QString& header, bool container,
                                 const QString& domXml, Make make, QObject* parent)
    : QObject(parent),
      className_(className),
      header_(header),
      container_(container),
      domXml_(domXml),
      make_(std::move(make)) {}

namespace {

// What Designer drops on a form from the widget box: the class with a name and a size; and the
// property that names a built-in resource, which is a path, never translated.
QString dropped(const QString& className, const QString& name, QSize size, const QString& resourceProperty = {}) {
    const QString resource = resourceProperty.isEmpty()
                                 ? QString()
                                 : QStringLiteral("<customwidgets><customwidget><class>%1</class>"
                                                  "<propertyspecifications><stringpropertyspecification name=\"%2\" "
                                                  "notr=\"true\" type=\"singleline\"/></propertyspecifications>"
                                                  "</customwidget></customwidgets>")
                                       .arg(className, resourceProperty);
    return QStringLiteral("<ui language=\"c++\"><widget class=\"%1\" name=\"%2\"><property name=\"geometry\">"
                          "<rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect></property></widget>"
                          "%5</ui>")
        .arg(className, name)
        .arg(size.width())
        .arg(size.height())
        .arg(resource);
}

template <typename Control>
DesignerControl::Make make() {
    return [](QWidget* parent) -> QWidget* { return new Control(parent); };
}

}  // namespace

DesignerControls::DesignerControls(QObject* parent) : QObject(parent) {
    // The designs' texts in the font the program draws them with.
    installDesignFonts();
    controls_ = {
        new DesignerControl("miravane::PictureBox", "PictureBox.h", false,
                            dropped("miravane::PictureBox", "Image", {40, 80}, "pictureResource"), make<PictureBox>(),
                            this),
        new DesignerControl("miravane::BitBtn", "BitBtn.h", false,
                            dropped("miravane::BitBtn", "BitBtn", {75, 25}, "glyphResource"), make<BitBtn>(), this),
        new DesignerControl("miravane::StaticText", "StaticText.h", false,
                            dropped("miravane::StaticText", "StaticText", {120, 17}), make<StaticText>(), this),
        new DesignerControl("miravane::Form", "Form.h", true, dropped("miravane::Form", "Form", {400, 300}),
                            make<Form>(), this),
        new DesignerControl("miravane::DialogForm", "Form.h", true,
                            dropped("miravane::DialogForm", "DialogForm", {400, 300}), make<DialogForm>(), this),
    };
}

}  // namespace miravane
