#pragma once

#include "platform/Services.h"

#include <QDialog>

namespace tiravo {

class Connection;

// "Incluir Fotos": adds the pictures of a folder to the photo pool.
class TFIncluirFoto : public QDialog {
    Q_OBJECT
public:
    TFIncluirFoto(QWidget* parent, Connection& ADOConnection1, Services services);
    ~TFIncluirFoto() override;
};

} // namespace tiravo
