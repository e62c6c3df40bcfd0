#pragma once
// The list of sides and diagonals of the outline and the editing operations on it and on the
// ring of vertices. Records are referred to by their index in `doc.diagonals` (−1 for none).
//
// Every editing operation here takes an undo snapshot first. Operations made of several edits
// (creating all sides, deleting a vertex, …) take one snapshot for the whole, so that one undo
// takes the whole edit back; the `put…` helpers edit without a snapshot for such callers.

#include <string>
#include <string_view>

#include "model/polygon.h"

namespace tenzora {

class TZCeiling;

// A record joins neighbours on an outline of n vertices: a = b ± 1, or one is 0 and the other
// the last index.
bool areNeighbours(int a, int b, int n);
bool isSideRecord(const TZCeiling& doc, const Diagonal& record);

// Among the records joining i and j (either order), the first one with a positive length; when
// none is measured, the last matching record; −1 when there is none.
int findDiagonal(const TZCeiling& doc, int i, int j);

// The pair's measured length: true and `length` set when findDiagonal gives a record with a
// positive length.
bool measuredLength(const TZCeiling& doc, int i, int j, double& length);

// Gives the pair (i, j) a record with `length` and makes it `currentDiagonal`. A record that is
// already measured is returned unchanged (its length is kept); an unmeasured one receives the
// length; otherwise a new record (smaller index first) is appended when both are vertices.
// −1 when there is no record and an index names no vertex.
int setDiagonal(TZCeiling& doc, int i, int j, double length);
int putDiagonal(TZCeiling& doc, int i, int j, double length); // the same without a snapshot

// setDiagonal for a typed name such as "AC" or "A1-B2" (upper-cased first); −1 and no change
// for a text shorter than two characters or one that names no pair.
int setDiagonalByName(TZCeiling& doc, std::wstring_view text, double length);

// Removes record d and refreshes the side panel's figures; false when d is not a record.
bool removeDiagonal(TZCeiling& doc, int d);
// Removes record d without snapshot or refresh. `currentDiagonal` and `hoverDiagonal` keep
// naming the same records (−1 when it was d).
void eraseRecord(TZCeiling& doc, int d);

// An unmeasured record for every side (i, i+1) and the closing side (last, 0); measured sides
// keep their lengths. False (nothing done) below 3 vertices.
bool createSides(TZCeiling& doc);
void putSides(TZCeiling& doc); // the same without a snapshot
// Flags every record as a side (right after createSides on a fresh outline).
void markAllAsSides(TZCeiling& doc);

// Appends a vertex with every other field zero; returns its index.
int appendVertex(TZCeiling& doc, double x, double y);

// Removes vertex v: when both of its sides exist, its two neighbours are joined by an
// unmeasured side so that the ring stays closed; the records touching v go and the indexes
// above v move down by one. False when v is not a vertex.
bool deleteVertex(TZCeiling& doc, int v);

// Inserts `point` between the neighbours p and q (at index max(p, q); after the last vertex
// when the pair is the closing side of a defined outline). The side (p, q) is replaced by two
// unmeasured sides carrying its side flag. Returns the new vertex's index, −1 when p or q names
// no vertex.
int insertVertexOnSide(TZCeiling& doc, const Vertex& point, int p, int q);

// The next side or diagonal to measure after `currentDiagonal`, as its name (empty when there
// is nothing to propose). Without a current record the first record becomes current and
// nothing is proposed.
std::wstring suggestNextRecord(TZCeiling& doc);

} // namespace tenzora
