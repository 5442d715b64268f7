// ts_traditional IN.ts OUT.ts [CONFIG]: writes a Qt translation source whose every
// translation is the source text converted from Simplified to Traditional Chinese with OpenCC
// (configuration s2twp.json by default: Taiwan standard with Taiwanese phrases). The build
// runs it on the English translation source, whose source texts are the program's Simplified
// Chinese texts, so the Traditional Chinese translation never has to be kept by hand.

#include <opencc/opencc.h>
#include <QCoreApplication>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cstdio>

namespace {

QString convert(opencc_t converter, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    char* converted = opencc_convert_utf8(converter, utf8.constData(), static_cast<size_t>(utf8.size()));
    if (converted == nullptr)
        return text;
    const QString result = QString::fromUtf8(converted);
    opencc_convert_utf8_free(converted);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: ts_traditional IN.ts OUT.ts [OPENCC_CONFIG]\n");
        return 2;
    }
    const char* config = argc > 3 ? argv[3] : "s2twp.json";
    opencc_t converter = opencc_open(config);
    if (converter == reinterpret_cast<opencc_t>(-1)) {
        std::fprintf(stderr, "ts_traditional: cannot open OpenCC configuration %s\n", config);
        return 1;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "ts_traditional: cannot read %s\n", argv[1]);
        return 1;
    }
    QByteArray output;
    QXmlStreamReader reader(&in);
    QXmlStreamWriter writer(&output);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeDTD("<!DOCTYPE TS>");
    QString source;
    bool inMessage = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QString name = reader.name().toString();
            if (name == "TS") {
                writer.writeStartElement("TS");
                writer.writeAttribute("version", "2.1");
                writer.writeAttribute("language", "zh_TW");
            } else if (name == "context") {
                writer.writeStartElement("context");
            } else if (name == "name") {
                writer.writeTextElement("name", reader.readElementText());
            } else if (name == "message") {
                writer.writeStartElement("message");
                inMessage = true;
                source.clear();
            } else if (name == "source" && inMessage) {
                source = reader.readElementText();
                writer.writeTextElement("source", source);
            } else if (name == "comment" && inMessage) {
                writer.writeTextElement("comment", reader.readElementText());
            } else {
                reader.skipCurrentElement();  // translations, locations: replaced below
            }
        } else if (reader.isEndElement()) {
            const QString name = reader.name().toString();
            if (name == "message") {
                writer.writeTextElement("translation", convert(converter, source));
                writer.writeEndElement();
                inMessage = false;
            } else if (name == "context" || name == "TS") {
                writer.writeEndElement();
            }
        }
    }
    opencc_close(converter);
    if (reader.hasError()) {
        std::fprintf(stderr, "ts_traditional: %s: %s\n", argv[1], qPrintable(reader.errorString()));
        return 1;
    }
    writer.writeEndDocument();
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(output) != output.size()) {
        std::fprintf(stderr, "ts_traditional: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
