// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of our stack: a bare Qt program with the indicator's labels, graph and timers,
// and none of its work, to compare the program's CPU time with in the same run.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <array>

namespace {

constexpr int kTwipsPerPixel = 15;

QRect TwipsRect(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

class FloorWindow : public QWidget {
public:
    FloorWindow()
        : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint),
          chart_(217, 30, QImage::Format_RGB32) {
        setWindowTitle(QStringLiteral("Floor Line"));
        setFixedSize(4095 / kTwipsPerPixel, 1410 / kTwipsPerPixel);
        const QRect places[] = {TwipsRect(30, 0, 2055, 210),     TwipsRect(15, 240, 2055, 210),
                                TwipsRect(15, 480, 2055, 210),   TwipsRect(2160, 0, 1935, 210),
                                TwipsRect(2160, 240, 1935, 210), TwipsRect(2160, 480, 1935, 210),
                                TwipsRect(15, 720, 4065, 210)};
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(8.25);
        for (size_t i = 0; i < labels_.size(); ++i) {
            labels_[i] = new QLabel(this);
            labels_[i]->setGeometry(places[i]);
            labels_[i]->setFont(font);
            labels_[i]->setTextFormat(Qt::PlainText);
            labels_[i]->setAutoFillBackground(true);
        }
        graph_ = new QLabel(this);
        graph_->setGeometry(TwipsRect(420, 960, 3255, 450));
        chart_.fill(Qt::black);
        QObject::connect(&sampling_, &QTimer::timeout, this, [this] { Sample(); });
        QObject::connect(&graphing_, &QTimer::timeout, this, [this] { Graph(); });
        sampling_.start(500);
        scripting_.start(5000);
        graphing_.start(1000);
        watching_.start(2000);
    }

private:
    // The labels get new texts as the sampling tick gives them.
    void Sample() {
        ++ticks_;
        const QLocale locale;
        const double megabytes = ticks_ * 0.37;
        labels_[0]->setText(QStringLiteral("Получено: ") + locale.toString(megabytes, 'f', 2) +
                            QStringLiteral(" Мб"));
        labels_[1]->setText(QStringLiteral("Передано: ") + locale.toString(megabytes / 10, 'f', 2) +
                            QStringLiteral(" Мб"));
        labels_[2]->setText(QStringLiteral("Всего: ") + locale.toString(megabytes * 1.1, 'f', 2) +
                            QStringLiteral(" Мб"));
        labels_[3]->setText(QStringLiteral("Скорость: 115200"));
        labels_[4]->setText(QStringLiteral("IP: 10.0.0.5"));
        labels_[5]->setText(QStringLiteral("Время: ") + QString::number(ticks_ / 2));
        setWindowTitle(QStringLiteral("Floor Line"));
    }

    // One column a second, scrolled in from the right.
    void Graph() {
        QImage next(chart_.size(), chart_.format());
        next.fill(Qt::black);
        QPainter painter(&next);
        painter.drawImage(QPoint(-1, 0), chart_);
        painter.setPen(Qt::red);
        painter.drawLine(216, 29, 216, 29 - int(ticks_ % 30));
        painter.end();
        chart_ = next;
        graph_->setPixmap(QPixmap::fromImage(chart_));
    }

    std::array<QLabel*, 7> labels_{};
    QLabel* graph_ = nullptr;
    QImage chart_;
    QTimer sampling_, scripting_, graphing_, watching_;
    long ticks_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    FloorWindow window;
    window.show();
    return app.exec();
}
