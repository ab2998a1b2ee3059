// SSIDs, profile names and the other texts the adapter and the store keep are bytes. A widget
// shows them as UTF-8 when they are valid UTF-8, else as the registry's Windows-1252 (one
// character per byte, as wlanctl reads them), and gives back exactly the bytes it was given
// while the user has not changed the text; what the user types becomes the bytes the same name
// has on this system's command line (Windows-1252 on Windows when it holds the text, else
// UTF-8). Every widget of the window converts through this one pair.
#pragma once

#include <QString>
#include <string>
#include <string_view>

class QLineEdit;

namespace nv {

QString ShownText(std::string_view bytes);
// `shown`: the bytes the text was made from, returned unchanged while the text is theirs.
std::string TextBytes(const QString& text, std::string_view shown = {});

// A box that keeps the bytes it shows, taking at most `maxBytes` bytes of typed text.
void SetByteLimit(QLineEdit* box, int maxBytes);
void ShowBytes(QLineEdit* box, std::string_view bytes);
std::string BoxBytes(const QLineEdit* box);

}  // namespace nv
