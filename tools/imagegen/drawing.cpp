#include "drawing.h"

#include <QImageWriter>
#include <QTextStream>

namespace ImageGen {

QImage draw(int w, int h, const Painter &paint)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    paint(p);
    p.end();
    return image;
}

ImageFolder::ImageFolder(const QString &strPath)
    : m_dir(strPath)
{
}

bool ImageFolder::create()
{
    if (m_dir.exists() || QDir().mkpath(m_dir.path()))
        return true;
    QTextStream(stderr) << "imagegen: cannot create " << m_dir.path() << '\n';
    m_bOk = false;
    return false;
}

void ImageFolder::save(const QImage &image, const QString &strName, const char *pFormat)
{
    const QString strPath = m_dir.filePath(strName + QLatin1Char('.') + QLatin1String(pFormat));
    QImageWriter writer(strPath, pFormat);
    if (!writer.write(image.convertToFormat(QImage::Format_ARGB32))) {
        QTextStream(stderr) << "imagegen: cannot write " << strPath << ": " << writer.errorString() << '\n';
        m_bOk = false;
        return;
    }
    ++m_nWritten;
}

} // namespace ImageGen
