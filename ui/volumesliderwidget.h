#pragma once

#include <QPixmap>
#include <QWidget>

// The control panel's volume control: ten bars, 7 pixels of the full-scale picture per level,
// drawn over the empty bars and scaled to the widget. A click sets the level by position (1 to
// 10, never 0); setValue(0) or setMuted(true) silence it. valueChanged carries what the audio
// should play at: the level, or 0 while muted.
//
// Threads: GUI thread only.
class VolumeSliderWidget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MaximumLevel = 10;
    static constexpr int PixelsPerLevel = 7;

    explicit VolumeSliderWidget(QWidget *parent = nullptr);

    // Clamps to 0..10; 0 also mutes, any other level unmutes. Always emits valueChanged(v).
    void setValue(int value);
    // Emits valueChanged (0 when muted, else the level) only when the flag changes.
    void setMuted(bool muted);
    int level() const { return m_level; }
    bool isMuted() const { return m_muted; }

signals:
    void valueChanged(int value);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int m_level = 5;
    bool m_muted = false;
    QPixmap m_background;
    QPixmap m_full;
};
