#pragma once

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>

#include <functional>

namespace ImageGen {

using Painter = std::function<void(QPainter &)>;

// A transparent w x h image painted with antialiasing and, to start with, no pen.
QImage draw(int w, int h, const Painter &paint);

// Writes images into one folder and remembers whether every write succeeded.
class ImageFolder
{
public:
    explicit ImageFolder(const QString &strPath);

    // Creates the folder if it is not there; false (with a message) when it cannot.
    bool create();
    // <name>.<format>, e.g. save(image, "new_16", "png").
    void save(const QImage &image, const QString &strName, const char *pFormat = "png");

    QString path() const { return m_dir.path(); }
    int written() const { return m_nWritten; }
    bool ok() const { return m_bOk; }

private:
    QDir m_dir;
    int m_nWritten = 0;
    bool m_bOk = true;
};

// The two image sets: core/images/ and app/images/.
void writeCoreImages(ImageFolder &folder);
void writeAppImages(ImageFolder &folder);

// The application's icons drawn at any size, for the desktop's icon themes.
QImage appIcon(int nSize);
QImage projectIcon(int nSize);

} // namespace ImageGen
