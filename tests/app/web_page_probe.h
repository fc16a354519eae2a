// Looking into what the web engine shows, for the tests that run it: a script's answer,
// and how much of a picture has one colour.
#pragma once

#include <QImage>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QtTest>
#include <memory>
#include <optional>

namespace mireto::test {

// What `script` evaluates to in `page`, or an empty variant after ten seconds.
inline QVariant evaluate(QWebEnginePage* page, const QString& script) {
    auto answer = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                        [answer](const QVariant& value) { *answer = value; });
    if (!QTest::qWaitFor([&] { return answer->has_value(); }, 10000))
        return {};
    return answer->value();
}

// The share of the picture's pixels that have `colour`.
inline double shareOf(const QImage& picture, QRgb colour) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    qint64 count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
    }
    return image.isNull() ? 0.0 : double(count) / (double(image.width()) * image.height());
}

} // namespace mireto::test
