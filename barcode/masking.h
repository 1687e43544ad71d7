#pragma once
// The eight data masks and the penalty score that chooses between them.
#include "barcode/qr_types.h"

// 1 where the mask condition holds at (Row, Column), else 0.
int GetMaskValue(unsigned char Mask, unsigned short Row, unsigned short Column);

// Inverts the data modules where the mask condition holds; applying it twice restores the matrix.
void ApplyMask(TMapMatrix &M, unsigned char Mask);

// Score of the whole matrix with the mask applied (the matrix itself is left as it is): runs
// longer than 5 score length - 2, uniform 2 x 2 blocks 3, each dark-light-dark-dark-dark-light-dark
// sequence along a column or row 40, and the distance of the dark share from 50 %.
int GetMaskScore(const TMapMatrix &M, unsigned char Mask);

// Writes the format information of each mask in turn and returns the mask with the lowest score
// (the lowest number on equal scores).
unsigned char GetOptimalMask(TMapMatrix &M, TQRCode_EccLevel Level);
