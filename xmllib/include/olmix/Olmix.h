#pragma once
// The Olmix XML library: writer, reader and record queues.

#include "olmix/Decimal.h"
#include "olmix/Errors.h"
#include "olmix/Messages.h"
#include "olmix/Reader.h"
#include "olmix/Record.h"
#include "olmix/Writer.h"
