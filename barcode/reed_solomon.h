#pragma once
// Reed-Solomon parity over GF(256) with the primitive polynomial x^8 + x^4 + x^3 + x^2 + 1.

// Writes the EcCount parity codewords of the DataCount data codewords to Parity.
void RS_Encode(unsigned char EcCount, unsigned char *Parity, int DataCount, const unsigned char *Data);
