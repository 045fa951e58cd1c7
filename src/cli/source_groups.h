#pragma once

// The LAYER words of convert: sources, alone or grouped between "(" and ")" into one
// level, and what an option after each word belongs to.

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

struct SourceGroup
{
    int first = 0;  // index of its first source
    int count = 0;
};

struct SourceWords
{
    QStringList sources;          // the LAYER words, in order, without the parentheses
    QVector<int> groupOf;         // for each source, its group, or -1
    QVector<SourceGroup> groups;  // in order
    // For each word given (OUT.smf first): the source it is, or -1; the group its ")"
    // closes, or -1. An option belongs to what the word before it is.
    QVector<int> sourceAt;
    QVector<int> groupClosedAt;
};

// Splits the positional words of convert (OUT.smf first). False with an English reason
// for a "(" inside a group, a ")" without its "(", a "(" left open, or a group without
// a source.
bool splitSourceGroups(const QStringList &words, SourceWords *out, QString *error);

// Parses a border "X1,Y1,X2,Y2,X3,Y3[,...]": 3 to kMaxBorderPoints points, finite
// numbers of source pixels. False when the text is not one.
bool parseBorder(const QString &text, QVector<QPointF> *border);
