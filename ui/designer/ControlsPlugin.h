#pragma once

#include <functional>

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace miravane {

// One of the program's controls as Qt Designer offers it: in the widget box under "Miravane",
// drawn by the control itself, its design properties in the property editor.
class DesignerControl : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using Make = std::function<QWidget*(QWidget* parent)>;

    DesignerControl(const QString& className, const QString& header, bool container, const QString& domXml,
                    Make make, QObject* parent);

    QString name() const override { return className_; }
    QString group() const override { return QStringLiteral("Miravane"); }
    QString toolTip() const override { return {}; }
    QString whatsThis() const override { return {}; }
    QString includeFile() const override { return header_; }
    QIcon icon() const override { return {}; }
    bool isContainer() const override { return container_; }
    QWidget* createWidget(QWidget* parent) override { return make_(parent); }
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface*) override { initialized_ = true; }
    QString domXml() const override { return domXml_; }

private:
    QString className_;
    QString header_;
    bool container_;
    QString domXml_;
    Make make_;
    bool initialized_ = false;
};

// The program's controls for Qt Designer: the image control, the glyph button, the text
// control, and the two forms a window is drawn on.
class DesignerControls : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit DesignerControls(QObject* parent = nullptr);

    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return controls_; }

private:
    QList<QDesignerCustomWidgetInterface*> controls_;
};

}  // namespace miravane
