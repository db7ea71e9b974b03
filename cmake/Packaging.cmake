# Installing and packaging the portable folder.
